#pragma once
// The batch-level file operations and the chooser's set-up operations, run for the main
// window that owns the chooser and the entry window.
namespace vorlane {
class MainWindow;

void BeginOpen(MainWindow &mw);    // chooser in open mode
void BeginSaveAs(MainWindow &mw);  // chooser in save mode with "Noname.txt"
void BeginSave(MainWindow &mw);    // asks whether to save under a new name

bool OpenDataFile(MainWindow &mw);  // reads the chooser's folder and name into the batch; true when read
bool SaveDataFile(MainWindow &mw);  // writes the batch to SaveTargetPath; true when written
void NewDataFile(MainWindow &mw);   // an empty, unnamed batch
}  // namespace vorlane
