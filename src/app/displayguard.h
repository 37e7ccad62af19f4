// Qt ends a program with an abort when its window system cannot be reached. From a
// DisplayGuard's construction to its release (around the QApplication constructor), that
// failure instead prints one line telling the player what to do and exits with status 1; Qt's
// messages meanwhile are held back, and passed on at the release when the window system came up.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace quornet::app {

class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard() { release(); }
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
    void release();

private:
    struct Held {
        QtMsgType type;
        QByteArray category, file, function;
        int line;
        QString text;
    };
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler m_previous = nullptr;
    QList<Held> m_held;
};

} // namespace quornet::app
