#pragma once
// The batch-level file operations and the chooser's set-up operations.
namespace vorlane {
struct Workspace;

void BeginOpen(Workspace &ws);    // chooser in open mode
void BeginSaveAs(Workspace &ws);  // chooser in save mode with "Noname.txt"
void BeginSave(Workspace &ws);    // asks whether to save under a new name

bool OpenDataFile(Workspace &ws);  // reads the chooser's folder and name into the batch; true when read
bool SaveDataFile(Workspace &ws);  // writes the batch to SaveTargetPath; true when written
void NewDataFile(Workspace &ws);   // an empty, unnamed batch
} // namespace vorlane
