#include "report/ui/printoptions.h"
#include "shell/workspace.h"
namespace vorlane {
void OpenPrintOptions(Workspace &) {}  // placeholder until the print options window lands
} // namespace vorlane
