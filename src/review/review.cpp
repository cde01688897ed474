#include "review/review.h"

#include "entry/entrywindow.h"
#include "review/reviewwindow.h"
#include "shell/workspace.h"

#include <QItemSelectionModel>
#include <QListView>

namespace vorlane {

void OpenReview(Workspace &ws)
{
    ws.batch.setResumeIndex(ws.batch.CurrentIndex());
    if (!ws.review)
        ws.review = new ReviewWindow(ws, ws.workArea());
    ws.review->fill();
    ws.review->show();
    ws.review->raise();
    if (ws.entry)
        ws.entry->hide();
    ws.setCommandButtonsVisible(false);
    ws.review->List1->setFocus();
    // Taking the focus makes the first item current; nothing is chosen until the user
    // clicks, so none is marked.
    ws.review->List1->selectionModel()->clearCurrentIndex();
}

} // namespace vorlane
