#include "platform/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallToolkitTranslation()
{
    // Kept for the program's life: the application reads it whenever a standard button is captioned.
    static QTranslator translator;
    return translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(&translator);
}
