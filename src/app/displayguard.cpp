#include "app/displayguard.h"

#include <cstdio>
#include <utility>
#include <unistd.h>

namespace quornet::app {

namespace {
DisplayGuard* g_active = nullptr;

QString failureText()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString display = wayland.isEmpty() ? qEnvironmentVariable("DISPLAY") : wayland;
    if (platform.isEmpty() && display.isEmpty())
        return QStringLiteral("quornet: no display found; set DISPLAY or WAYLAND_DISPLAY to show the table, "
                              "or use --serve for a headless host");
    const QString why = display.isEmpty() ? QStringLiteral("Qt platform \"%1\" failed").arg(platform)
                                          : QStringLiteral("cannot open display \"%1\"").arg(display);
    return QStringLiteral("quornet: no display found (%1); use --serve for a headless host").arg(why);
}
} // namespace

DisplayGuard::DisplayGuard()
{
    g_active = this;
    m_previous = qInstallMessageHandler(&DisplayGuard::handler);
}

void DisplayGuard::release()
{
    if (g_active != this) return;
    qInstallMessageHandler(m_previous);
    g_active = nullptr;
    const QList<Held> held = std::exchange(m_held, {});
    for (const Held& h : held) {
        const QMessageLogContext context(h.file.constData(), h.line, h.function.constData(), h.category.constData());
        qt_message_output(h.type, context, h.text);
    }
}

void DisplayGuard::handler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    DisplayGuard* self = g_active;
    if (!self) return;
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(failureText()));
        std::fflush(stderr);
        ::_exit(1); // Qt would abort next; nothing of the program has started yet
    }
    self->m_held.append({type, QByteArray(context.category), QByteArray(context.file), QByteArray(context.function),
                         context.line, text});
}

} // namespace quornet::app
