#include "review/review.h"
#include "shell/workspace.h"
namespace vorlane {
void OpenReview(Workspace &) {}  // placeholder until the review window lands
} // namespace vorlane
