// Tabout, the about window: the program's picture, the maker's web address as a link, and the
// version. The version text is the one the table window reports to the host at login.
#pragma once

#include "windows/rteurl.h"

#include <QDialog>

class QLabel;

namespace quornet::windows
{

class Tabout : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 304;
    static constexpr int ClientHeight = 174;
    // The maker's web site (URL1), opened by the link label and by the table window's logo.
    static inline const QString WebAddress = QStringLiteral("www.vexo42.example");

    explicit Tabout(QWidget* parent = nullptr);

    // URL1. The table window's logo opens it too (url().open()).
    TURL& url() { return m_url; }
    const TURL& url() const { return m_url; }
    // Opens URL1 (a click on the link label).
    bool openLink() { return m_url.open(); }

    void setBackground(const QPixmap& tile);
    void setPicture(const QPixmap& picture);
    QString versionText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TURL m_url;
    QLabel* m_picture = nullptr;
    QLabel* m_link = nullptr;
    QLabel* m_version = nullptr;
};

} // namespace quornet::windows
