#include "app/Translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

bool installPortugueseDialogs(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/translations/qtbase_pt_BR.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
