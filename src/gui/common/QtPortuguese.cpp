#include "QtPortuguese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

bool InstallQtPortuguese()
{
    static QPointer<QTranslator> installed;
    const QLocale portuguese(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(portuguese);
    if (installed)
        return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(portuguese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}
