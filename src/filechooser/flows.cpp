#include "filechooser/flows.h"
#include "shell/workspace.h"

// Placeholders until the file chooser lands.
namespace vorlane {
void BeginOpen(Workspace &) {}
void BeginSaveAs(Workspace &) {}
void BeginSave(Workspace &) {}
void OpenDataFile(Workspace &) {}
bool SaveDataFile(Workspace &) { return false; }
void NewDataFile(Workspace &) {}
} // namespace vorlane
