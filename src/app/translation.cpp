#include "app/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

namespace quornet::app {

namespace {
constexpr char FileName[] = "quornet";
constexpr char Prefix[] = "_";
} // namespace

QStringList translationFolders()
{
    const QDir program(QCoreApplication::applicationDirPath());
    QStringList folders{QStringLiteral(":/translations"), program.filePath(QStringLiteral("translations")),
                        QDir::cleanPath(program.filePath(QStringLiteral("../share/quornet/translations")))};
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        folders << QDir(data).filePath(QStringLiteral("translations"));
    return folders;
}

QString installTranslation(const QLocale& locale, const QStringList& folders)
{
    auto* app = QCoreApplication::instance();
    if (!app) return {};
    for (const QString& folder : folders) {
        auto* own = new QTranslator(app);
        if (own->load(locale, QLatin1String(FileName), QLatin1String(Prefix), folder)) {
            QCoreApplication::installTranslator(own);
            // Qt's own texts (the buttons of message boxes) in the same language, when installed.
            auto* qt = new QTranslator(app);
            if (qt->load(locale, QStringLiteral("qtbase"), QLatin1String(Prefix),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                QCoreApplication::installTranslator(qt);
            else
                delete qt;
            return own->filePath();
        }
        delete own;
    }
    return {};
}

} // namespace quornet::app
