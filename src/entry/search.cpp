#include "entry/search.h"
#include "shell/workspace.h"
namespace vorlane {
void OpenSearch(Workspace &) {}  // placeholder until the search window lands
} // namespace vorlane
