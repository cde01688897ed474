#include "shell/qttexts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace vorlane {

bool InstallThaiQtTexts(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/i18n/qt_th.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace vorlane
