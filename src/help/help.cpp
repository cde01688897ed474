#include "help/help.h"
#include "shell/workspace.h"
namespace vorlane {
void OpenHelp(Workspace &) {}   // placeholders until the help window lands
void ShowAbout(Workspace &) {}
} // namespace vorlane
