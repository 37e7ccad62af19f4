// The table window and its host in one process, built as the program builds them
// (app::Program), with the settings file and the tally in a folder of their own. Either the real
// solo game runs (startSolo: the window hosts on a free port and logs in as "You"), or the test
// plays the host (loginAs: host messages go to the window's model, and what the model sends is
// kept in `sent`).
#pragma once

#include "app/program.h"

#include <QTemporaryDir>

#include <cstdint>

namespace quornet::testing
{

class WindowRig
{
public:
    // settings: the text of the settings file before the window starts (no file when empty).
    explicit WindowRig(std::uint32_t seed = 1, const QByteArray& settings = {});

    QString settingsPath() const { return dir.filePath(QStringLiteral("vexolobby.ini")); }
    table::TableModel& model() { return chat.model(); }
    const table::TableState& state() { return chat.model().state(); }
    // A host message, handed to the window's model.
    void feed(const QByteArray& message) { chat.model().handleMessage(message); }
    // A name alone on the command line: shown, the window neither hosts nor joins, and the test
    // plays the host.
    void withoutConnection(const QString& name) { chat.setCommandLine({name}, 0); }
    // The own login as participant n, without a host: the window reads its settings then. The
    // others given take seats 1, 2, ... in order (the own seat is skipped). Nothing is sent yet.
    void loginAs(int n, const QString& name, const QStringList& others = {});
    // The solo game, as the program starts without arguments: the window hosts, connects and
    // logs in; then the host's computer players move every botSpeedMs. False when the table did
    // not come up in time.
    bool startSolo(int botSpeedMs);

    QAction* action(const char* name);
    template <typename T = QWidget> T* child(const QString& name)
    {
        T* c = chat.findChild<T*>(name);
        if (!c) qFatal("no widget %s", qPrintable(name));
        return c;
    }

    QTemporaryDir dir;
    app::Program program;
    table::Tchat& chat;
    // What the model sent, in order.
    QList<QByteArray> sent;
};

} // namespace quornet::testing
