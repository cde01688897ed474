#include "help/help.h"

#include "entry/entrywindow.h"
#include "help/aboutbox.h"
#include "help/helpwindow.h"
#include "widgets/commandbutton.h"
#include "shell/workspace.h"

#include <QApplication>

namespace vorlane {

void OpenHelp(Workspace &ws)
{
    // Created afresh, so the file is read again at every opening.
    if (ws.help)
        ws.help->deleteLater();
    ws.help = new HelpWindow(ws, ws.workArea());
    ws.help->show();
    ws.help->raise();
    if (ws.entry)
        ws.entry->hide();
    ws.setCommandButtonsVisible(false);
    ws.help->Cmdclose->setFocus();
}

void ShowAbout(Workspace &ws)
{
    AboutBox box(ws.prompter, QApplication::activeWindow());
    box.exec();
}

} // namespace vorlane
