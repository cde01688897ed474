// The main window's work windows: opening them in the work area, and what their signals
// lead to.
#include "shell/mainwindow.h"

#include "entry/entrywindow.h"
#include "entry/searchwindow.h"
#include "help/helpwindow.h"
#include "report/ui/printoptionswindow.h"
#include "review/reviewwindow.h"
#include "records/session.h"
#include "widgets/prompter.h"
#include "widgets/commandbutton.h"

using namespace Qt::StringLiterals;

namespace vorlane {

void MainWindow::showWorkWindow(WorkWindow *window)
{
    if (m_entry && m_entry->isVisible())
        m_entry->rememberFocus();
    setCommandButtonsVisible(false);
    window->show();
    window->raise();
    if (m_entry)
        m_entry->hide();
    window->takeFocus();
}

EntryWindow *MainWindow::ensureEntry()
{
    if (!m_entry) {
        // The entry window's load reads the reference tables, once per run.
        Session &session = m_session;
        session.tables = LoadReferenceTables(session.paths);
        if (!session.tables.missing.isEmpty())
            m_prompter.ok(u"อ่านแฟ้มตารางไม่ได้: "_s + session.tables.missing.join(u", "_s) + u'\n'
                          + session.tables.failures.join(u'\n'));
        // Said once, at the one reading of the tables.
        if (!session.tables.cut.isEmpty())
            m_prompter.ok(u"แฟ้มตารางยาวเกินไป อ่านเพียงบางส่วน: "_s + session.tables.cut.join(u", "_s));
        if (!session.tables.badRows.isEmpty())
            m_prompter.ok(session.tables.badRows.join(u'\n'));
        m_entry = new EntryWindow(session, m_prompter, m_workArea);
    }
    return m_entry;
}

void MainWindow::backToEntry(Return how, EntryWindow::FocusOn focus)
{
    if (how == Return::OnResumeIndex) {
        setCommandButtonsVisible(true);
        m_session.batch.resume();
        ensureEntry()->showCurrentRecord(focus);
        return;
    }
    setCommandButtonsVisible(true);
    if (m_entry)
        m_entry->comeBack(focus);
}

void MainWindow::openHelp()
{
    // Created afresh, so the file is read again at every opening.
    if (m_help)
        m_help->deleteLater();
    HelpWindow *help = new HelpWindow(m_session.paths.file(u"helpcustomer.txt"_s), m_workArea);
    m_help = help;
    connect(help, &HelpWindow::closed, this, [this, help] {
        backToEntry(Return::AsItWas);
        if (m_help == help)
            m_help = nullptr;
    });
    showWorkWindow(help);
}

void MainWindow::openReview()
{
    m_session.batch.setResumeIndex(m_session.batch.CurrentIndex());
    if (!m_review) {
        m_review = new ReviewWindow(m_session, m_prompter, m_workArea);
        connect(m_review, &ReviewWindow::recordChosen, this, &MainWindow::editReviewed);
        connect(m_review, &ReviewWindow::cancelled, this, [this] { backToEntry(); });
    }
    ReviewWindow *review = m_review;
    review->fill();
    showWorkWindow(review);
}

void MainWindow::editReviewed(int row)
{
    m_session.batch.show(row);
    setCommandButtonsVisible(true);
    ensureEntry()->showCurrentRecord(EntryWindow::FocusOn::FirstField);
}

void MainWindow::openPrintOptions()
{
    m_session.batch.setResumeIndex(m_session.batch.CurrentIndex());
    if (!m_printOptions) {
        m_printOptions = new PrintOptionsWindow(m_session, m_prompter, m_workArea);
        connect(m_printOptions, &PrintOptionsWindow::finished, this, [this] { backToEntry(); });
    }
    showWorkWindow(m_printOptions);
    m_printOptions->proposeDefaults();
}

void MainWindow::openSearch()
{
    m_session.batch.setResumeIndex(m_session.batch.CurrentIndex());
    // A fresh window at each opening: empty boxes, no result.
    if (m_search)
        m_search->deleteLater();
    auto *search = new SearchWindow(m_session, m_prompter, m_workArea);
    m_search = search;
    connect(search, &SearchWindow::postOfficeChosen, this, [this, search](int index) {
        EntryWindow *entry = ensureEntry();
        entry->takePostOffice(index);
        closeSearch(search);
        setCommandButtonsVisible(true);
        entry->comeBack(EntryWindow::FocusOn::Recipient);
    });
    connect(search, &SearchWindow::cancelled, this, [this, search] {
        EntryWindow *entry = ensureEntry();
        closeSearch(search);
        entry->clearPostOfficeNameSelection();
        backToEntry();
    });
    showWorkWindow(search);
}

void MainWindow::closeSearch(SearchWindow *search)
{
    if (m_search == search)
        m_search = nullptr;
    search->hide();
    search->deleteLater();
}

}  // namespace vorlane
