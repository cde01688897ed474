// The main window's work windows: opening them in the work area, and what their signals
// lead to.
#include "shell/mainwindow.h"

#include "entry/entrywindow.h"
#include "entry/searchwindow.h"
#include "help/helpwindow.h"
#include "report/ui/printoptionswindow.h"
#include "review/reviewwindow.h"
#include "records/texthelpers.h"
#include "shell/workspace.h"
#include "widgets/commandbutton.h"

#include <QItemSelectionModel>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>

using namespace Qt::StringLiterals;

namespace vorlane {

void MainWindow::showWorkWindow(QWidget *window)
{
    setCommandButtonsVisible(false);
    window->show();
    window->raise();
    if (m_ws.entry)
        m_ws.entry->hide();
}

void MainWindow::backToEntry(Return how)
{
    if (how == Return::OnResumeIndex) {
        m_ws.returnToEntry();
        return;
    }
    if (m_ws.entry)
        m_ws.entry->show();
    setCommandButtonsVisible(true);
}

void MainWindow::openHelp()
{
    // Created afresh, so the file is read again at every opening.
    if (m_help)
        m_help->deleteLater();
    HelpWindow *help = new HelpWindow(m_ws.session.paths.file(u"helpcustomer.txt"_s), m_workArea);
    m_help = help;
    connect(help, &HelpWindow::closed, this, [this, help] {
        backToEntry(Return::AsItWas);
        if (m_help == help)
            m_help = nullptr;
    });
    showWorkWindow(help);
    help->Cmdclose->setFocus();
}

void MainWindow::openReview()
{
    m_ws.batch.setResumeIndex(m_ws.batch.CurrentIndex());
    if (!m_review) {
        m_review = new ReviewWindow(m_ws.session, m_ws.prompter, m_workArea);
        connect(m_review, &ReviewWindow::recordChosen, this, &MainWindow::editReviewed);
        connect(m_review, &ReviewWindow::cancelled, this, [this] { backToEntry(); });
    }
    ReviewWindow *review = m_review;
    review->fill();
    showWorkWindow(review);
    review->List1->setFocus();
    // Taking the focus makes the first item current; nothing is chosen until the user
    // clicks, so none is marked.
    review->List1->selectionModel()->clearCurrentIndex();
}

void MainWindow::editReviewed(int row)
{
    const RecordStore &store = m_ws.batch.lines();
    EntryWindow *entry = m_ws.ensureEntry();
    m_ws.batch.show(row);
    entry->LoadLineIntoEntryFields(store.at(row));
    entry->setCounterText(u"%1 / %2"_s.arg(row + 1).arg(store.count()));
    entry->enableRecordButtons();
    backToEntry(Return::AsItWas);
}

void MainWindow::openPrintOptions()
{
    m_ws.batch.setResumeIndex(m_ws.batch.CurrentIndex());
    if (!m_printOptions) {
        m_printOptions = new PrintOptionsWindow(m_ws.session, m_ws.prompter, m_workArea);
        connect(m_printOptions, &PrintOptionsWindow::finished, this, [this] { backToEntry(); });
    }
    showWorkWindow(m_printOptions);
    m_printOptions->proposeDefaults();
}

void MainWindow::openSearch()
{
    m_ws.batch.setResumeIndex(m_ws.batch.CurrentIndex());
    // A fresh window at each opening: empty boxes, no result.
    if (m_search)
        m_search->deleteLater();
    auto *search = new SearchWindow(m_ws.session, m_ws.prompter, m_workArea);
    m_search = search;
    connect(search, &SearchWindow::postOfficeChosen, this, [this, search](int index) {
        EntryWindow *entry = m_ws.ensureEntry();
        // An office already named in the entry window is kept.
        if (entry->Combo1[OfficeNameBox] && trimWhiteSpace(entry->Combo1[OfficeNameBox]->currentText()).isEmpty())
            entry->pickPostOfficeName(index);
        entry->show();
        closeSearch(search);
        setCommandButtonsVisible(true);
    });
    connect(search, &SearchWindow::cancelled, this, [this, search] {
        EntryWindow *entry = m_ws.ensureEntry();
        closeSearch(search);
        entry->clearPostOfficeNameSelection();
        backToEntry();
    });
    search->show();
    search->raise();
    if (m_ws.entry)
        m_ws.entry->hide();
    setCommandButtonsVisible(false);
    search->Txtsearch[SearchWindow::Typed]->setFocus();
}

void MainWindow::closeSearch(SearchWindow *search)
{
    if (m_search == search)
        m_search = nullptr;
    search->hide();
    search->deleteLater();
}

} // namespace vorlane
