#include "support/windowrig.h"

#include "protocol/messages.h"
#include "support/files.h"

#include <QTest>

namespace quornet::testing
{

namespace
{
constexpr int StartDeadlineMs = 20000;
} // namespace

WindowRig::WindowRig(std::uint32_t seed, const QByteArray& settings)
    : program(seed, dir.path()), chat(program.chat)
{
    qputenv("QUORNET_NO_DESKTOP", "1"); // a link clicked in the chat starts no browser
    if (!settings.isEmpty() && !writeFile(settingsPath(), settings)) qFatal("cannot write %s", qPrintable(settingsPath()));
    chat.setSettingsPath(settingsPath());
    QObject::connect(&chat.model(), &table::TableModel::send, &chat, [this](const QByteArray& m) { sent.append(m); });
}

void WindowRig::loginAs(int n, const QString& name, const QStringList& others)
{
    namespace msg = protocol::msg;
    chat.model().setPlayerName(name);
    feed(msg::sendLoginInfo(n));
    feed(msg::newPlayerInfo(n, name.toUtf8()));
    for (int i = 0; i < others.size(); ++i)
        if (i + 1 != n) feed(msg::existingPlayers(i + 1, others[i].toUtf8()));
    sent.clear();
}

bool WindowRig::startSolo(int botSpeedMs)
{
    chat.setCommandLine({}, 0);
    chat.show();
    const bool up = QTest::qWaitFor([this] { return state().loggedIn && state().seat(1).name == QLatin1String("You"); },
                                    StartDeadlineMs);
    // After the own login, which read the settings' Bot Speed.
    program.server.engine().setBotSpeed(botSpeedMs);
    return up;
}

QAction* WindowRig::action(const char* name)
{
    auto* a = chat.findChild<QAction*>(QString::fromLatin1(name));
    if (!a) qFatal("no action %s", name);
    return a;
}

} // namespace quornet::testing
