// Shared by the fuzz targets: quiet logging and a check that stops the run with a reason.
#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace quornet::fuzz
{

// Dropped and malformed input is logged by the code under test on every input; that would
// drown the fuzzer's own output and cost most of its time. Only critical and fatal messages
// (a broken invariant is one) still reach standard error.
inline void quietLogging()
{
    // Disabled categories skip formatting altogether, which is most of the cost.
    QLoggingCategory::setFilterRules(QStringLiteral("quornet.*.debug=false\n"
                                                    "quornet.*.info=false\n"
                                                    "quornet.*.warning=false"));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
}

[[noreturn]] inline void fail(const char* what, const QByteArray& detail = {})
{
    std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.constData());
    std::abort();
}

} // namespace quornet::fuzz

#define FUZZ_CHECK(condition, ...)                                                                 \
    do {                                                                                           \
        if (!(condition)) ::quornet::fuzz::fail("(" #condition ")" __VA_OPT__(, ) __VA_ARGS__);    \
    } while (false)
