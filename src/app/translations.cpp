#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translations {

namespace {

bool installFrom(QTranslator *translator, const QLocale &locale, const QString &name, const QString &folder)
{
    if (!translator->load(locale, name, QStringLiteral("_"), folder))
        return false;
    return QCoreApplication::installTranslator(translator);
}

}  // namespace

void install()
{
    const QLocale locale;
    auto *app = QCoreApplication::instance();
    auto *qt = new QTranslator(app);
    if (!installFrom(qt, locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        delete qt;

    auto *own = new QTranslator(app);
    if (!loadOwn(*own) || !QCoreApplication::installTranslator(own))
        delete own;
}

bool loadOwn(QTranslator &translator)
{
    const QLocale locale;
    const QString name = QStringLiteral("OrvelBiblicalNumerology");
    const QString binDir = QCoreApplication::applicationDirPath();
    return translator.load(locale, name, QStringLiteral("_"),
                           binDir + QStringLiteral("/../share/OrvelBiblicalNumerology/translations"))
           || translator.load(locale, name, QStringLiteral("_"), binDir);
}

}  // namespace Translations
