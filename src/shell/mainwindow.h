#pragma once
// MDIForm1: the full-screen frame, with the command bar (Picture1, eight Command1
// buttons) at its right edge and the work windows in the area left of it.
#include "entry/entrywindow.h"

#include <QWidget>
#include <array>
#include <memory>

class QFrame;

namespace vorlane {

class Batch;
class BatchRecovery;
class CommandButton;
class DepositorDialog;
class EntryWindow;
class FileChooser;
class Prompter;
struct Session;
class HelpWindow;
class PrintOptionsWindow;
class ReviewWindow;
class SearchWindow;
class WorkWindow;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The main window owns the work windows and the batch's recovery journal.
    MainWindow(Session &session, Prompter &prompter);
    ~MainWindow() override;

    static QString mainCaption();

    // Command1_Click: the dispatch on the bar's state and the button's index.
    void commandClick(int index);
    // The command bar's two states.
    void setWorkState();
    bool isStartState() const { return !m_workState; }
    // "ปิดโปรแกรม": empties the batch, hides the entry window, start-state captions.
    void ResetToStart();
    void setCommandButtonsVisible(bool visible);
    // Ends the program, as "ออกจากโปรแกรม" does.
    void exitProgram();

    Session &session() const { return m_session; }
    Batch &batch() const;
    Prompter &prompter() const { return m_prompter; }
    BatchRecovery &recovery() const { return *m_recovery; }

    QWidget *workArea() const { return m_workArea; }
    // The entry window, created and loaded (tables read) on first use; nullptr before it.
    EntryWindow *ensureEntry();
    EntryWindow *entryWindow() const { return m_entry; }
    // Created at the first "เปิดโปรแกรม".
    DepositorDialog *depositorDialog() const { return m_depositor; }
    // The file chooser: created on first use, dropped after a successful save.
    FileChooser *chooser() const { return m_chooser; }
    void setChooser(FileChooser *chooser) { m_chooser = chooser; }
    // A work window takes the work area: the entry window and the command bar go.
    void showWorkWindow(WorkWindow *window);
    // A work window was left. OnResumeIndex: the entry window comes back on record
    // ResumeIndex (cancelled); that record is a stored one, so a save replaces it rather
    // than appending a copy, and an empty batch shows the new-record defaults instead.
    // AsItWas: it comes back as it was left.
    enum class Return { OnResumeIndex, AsItWas };
    // The entry window again, the focus where the clerk goes on (as before a cancel).
    void backToEntry(Return how = Return::OnResumeIndex, EntryWindow::FocusOn focus = EntryWindow::FocusOn::AsBefore);

    // The work windows the command bar opens.
    void openHelp();
    void openReview();
    void openPrintOptions();
    // "ค้นหาชื่อ/รหัส": a fresh post-office search window at each opening, gone after it.
    void openSearch();
    // The review and print options windows are made on first use and then kept; the help
    // window is made at each opening and gone after it (nullptr).
    ReviewWindow *reviewWindow() const { return m_review; }
    PrintOptionsWindow *printOptionsWindow() const { return m_printOptions; }
    HelpWindow *helpWindow() const { return m_help; }
    SearchWindow *searchWindow() const { return m_search; }
    // Lays the command bar out again from the screen size.
    void applyLayout();

Q_SIGNALS:
    // Emitted by "ออกจากโปรแกรม"; the program's event loop ends on it.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openProgram();
    void newDataFile();
    void openDataFile();
    void saveDataFile();
    void closeProgram();
    void hideEntryAndBar();
    void updateTitle();
    // Review's "แก้ไข": the entry window at record `row`.
    void editReviewed(int row);
    void closeSearch(SearchWindow *search);

    QFrame *m_commandBar = nullptr;
    std::array<CommandButton *, 8> m_commandButtons{};
    Session &m_session;
    Prompter &m_prompter;
    std::unique_ptr<BatchRecovery> m_recovery;
    QWidget *m_workArea = nullptr;
    EntryWindow *m_entry = nullptr;
    DepositorDialog *m_depositor = nullptr;
    FileChooser *m_chooser = nullptr;
    bool m_exiting = false;
    bool m_workState = false;
    ReviewWindow *m_review = nullptr;
    PrintOptionsWindow *m_printOptions = nullptr;
    HelpWindow *m_help = nullptr;
    SearchWindow *m_search = nullptr;
};

}  // namespace vorlane
