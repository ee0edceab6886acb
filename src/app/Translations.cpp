#include "app/Translations.h"

#include <QCoreApplication>
#include <QTranslator>

bool installPortugueseDialogs(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/translations/qtbase_pt_BR.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
