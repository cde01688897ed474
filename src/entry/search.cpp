#include "entry/search.h"

#include "entry/entrywindow.h"
#include "entry/searchwindow.h"
#include "records/numbers.h"
#include "records/texthelpers.h"
#include "shell/workspace.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vorlane {

PostOfficeMatch FindPostOffice(const QStringList &postcodes, const QStringList &names, const QString &search)
{
    const QString s = trimWhiteSpace(search).toString();
    if (s.isEmpty())
        return {};
    const bool byCode = isNumeric(s);
    const qsizetype n = std::min(postcodes.size(), names.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QString &code = postcodes.at(i);
        const QString &name = names.at(i);
        if (byCode ? code.startsWith(s) : trimWhiteSpace(name).startsWith(s))
            return {int(i), byCode ? code + u"  "_s + name : name + u"  "_s + code};
    }
    return {};
}

void OpenSearch(Workspace &ws)
{
    ws.batch.setResumeIndex(ws.batch.CurrentIndex());
    // A fresh window at each opening: empty boxes, no result.
    if (ws.search)
        ws.search->deleteLater();
    ws.search = new SearchWindow(ws, ws.workArea());
    ws.search->show();
    ws.search->raise();
    if (ws.entry)
        ws.entry->hide();
    ws.setCommandButtonsVisible(false);
    ws.search->Txtsearch[SearchWindow::Typed]->setFocus();
}

} // namespace vorlane
