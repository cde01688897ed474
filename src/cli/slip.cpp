#include "cli/commands.h"

#include <QGuiApplication>

namespace vorlane::cli {
// Placeholder until the slip lands.
int runSlipMain(int argc, char **argv, const QStringList &)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    printError(QStringLiteral("vorlane-cli slip: not available yet"));
    return 2;
}
} // namespace vorlane::cli
