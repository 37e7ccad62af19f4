// Thelp, the help window: one page per topic, chosen with the topic buttons of the side panel.
// The pages are HTML files compiled into the program (":/help/").
#pragma once

#include <QDialog>
#include <QMap>

class QButtonGroup;
class QLabel;
class QStackedWidget;
class QTextBrowser;
class QUrl;

namespace quornet::windows
{

class Tabout;

class Thelp : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 542;
    static constexpr int ClientHeight = 485;

    struct Topic {
        int number;          // memo<number>
        const char* caption; // button caption and page title
        const char* page;    // resource file under :/help/
    };
    static const QList<Topic>& topics();

    // about: the window that the "About" button shows (may be null).
    explicit Thelp(Tabout* about = nullptr, QWidget* parent = nullptr);

    // Brings the page of topic number to the front and sets label_caption to its caption;
    // false (nothing changes) for a number without a topic.
    bool showTopic(int number);
    int currentTopic() const { return m_current; }
    QString caption() const;
    // The page of topic number (memo1 .. memo9, memo11), null for other numbers.
    QTextBrowser* page(int number) const { return m_pages.value(number); }
    QTextBrowser* currentPage() const { return page(m_current); }

    void setBackground(const QPixmap& tile);

signals:
    // The "About" button was pressed (the about window is shown as well when one was given).
    void aboutRequested();

private:
    void linkClicked(const QUrl& link);

    Tabout* m_about;
    QButtonGroup* m_topicButtons = nullptr;
    QLabel* m_caption = nullptr;
    QStackedWidget* m_stack = nullptr;
    QMap<int, QTextBrowser*> m_pages;
    int m_current = 0;
};

} // namespace quornet::windows
