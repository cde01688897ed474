#include "report/ui/printoptions.h"

#include "entry/entrywindow.h"
#include "report/ui/printoptionswindow.h"
#include "widgets/commandbutton.h"
#include "shell/workspace.h"

#include <QRadioButton>

namespace vorlane {

void OpenPrintOptions(Workspace &ws)
{
    ws.batch.setResumeIndex(ws.batch.CurrentIndex());
    if (!ws.printOptions)
        ws.printOptions = new PrintOptionsWindow(ws, ws.workArea());
    PrintOptionsWindow *w = ws.printOptions;
    w->show();
    w->raise();
    if (ws.entry)
        ws.entry->hide();
    // Opening from the command bar proposes the common case: every type, every page, A4.
    w->Option1[13]->setChecked(true);
    w->Option2->setChecked(true);
    w->Option5->setChecked(true);
    ws.setCommandButtonsVisible(false);
    w->Command1[0]->setFocus();
}

} // namespace vorlane
