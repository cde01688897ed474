#include "shell/workspace.h"

#include "entry/entrywindow.h"
#include "shell/mainwindow.h"

namespace vorlane {

QWidget *Workspace::workArea() const { return main ? main->workArea() : nullptr; }

void Workspace::setCommandButtonsVisible(bool visible)
{
    if (main)
        main->setCommandButtonsVisible(visible);
}

EntryWindow *Workspace::ensureEntry()
{
    if (!entry) {
        // The entry window's load reads the reference tables, once per run.
        session.tables = LoadReferenceTables(session.paths);
        entry = new EntryWindow(*this, workArea());
    }
    return entry;
}

} // namespace vorlane
