#pragma once

#include <QLoggingCategory>

// Host log lines (connections, logins, departures, games, dropped messages) go to standard error.
Q_DECLARE_LOGGING_CATEGORY(lcHost)
