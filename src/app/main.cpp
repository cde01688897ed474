#include "records/apppaths.h"
#include "records/platform.h"
#include "records/session.h"
#include "shell/mainwindow.h"
#include "widgets/prompter.h"
#include "shell/qttexts.h"
#include "widgets/uiscale.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    vorlane::platform::PrepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlane"));
    QApplication::setDesktopFileName(QStringLiteral("vorlane"));
    QIcon icon(QStringLiteral(":/vorlane-256.png"));
    icon.addFile(QStringLiteral(":/vorlane-48.png"));
    QApplication::setWindowIcon(icon);
    vorlane::InstallThaiQtTexts(app);
    vorlane::applyProgramFont(vorlane::currentScreen());

    vorlane::Session session;
    session.paths = vorlane::AppPaths::detect();
    vorlane::QtPrompter prompter;
    vorlane::MainWindow window(session, prompter);
    QObject::connect(&window, &vorlane::MainWindow::exitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.showMaximized();
    return app.exec();
}
