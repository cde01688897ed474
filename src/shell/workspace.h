#pragma once
// What every window of the program shares: the session, the message boxes, and the
// other windows. Work windows are children of the main window, shown one at a time
// in the space left of the command bar.
#include "records/fileio.h"
#include "records/session.h"
#include "widgets/prompter.h"

#include <memory>

class QWidget;

namespace vorlane {

class MainWindow;          // MDIForm1: the frame and its command bar
class EntryWindow;         // Form1
class DepositorDialog;     // Form4
class FileChooser;         // frmOpen

class JournalHook;
class BatchWatch;

struct Workspace {
    Workspace(Session &s, Prompter &p);
    // Not a clean end: the recovery journal stays for the next run.
    ~Workspace();

    Session &session;
    Batch &batch;
    Prompter &prompter;

    MainWindow *main = nullptr;
    EntryWindow *entry = nullptr;              // created when the depositor dialog is first confirmed
    DepositorDialog *depositor = nullptr;
    FileChooser *chooser = nullptr;            // created on first use, destroyed after a successful save

    // The parent of every work window: the main window's area left of the command bar.
    QWidget *workArea() const;
    // All eight command-bar buttons at once (the captions decide which are meant to show).
    void setCommandButtonsVisible(bool visible);
    // The entry window, created and loaded (tables read) on first use.
    EntryWindow *ensureEntry();
    // A work window was cancelled: the entry window and the command bar come back on record
    // ResumeIndex. That record is a stored one, so a save replaces it rather than appending
    // a copy; an empty batch shows the new-record defaults instead.
    EntryWindow *returnToEntry();

    // The recovery journal of the batch (the batch reports every change to it).
    // A batch starts: the journal starts afresh from it. With a stamp, the batch is
    // exactly that file's records (just opened or saved) and is journalled by reference.
    void beginJournal(const FileStamp *stamp = nullptr);
    // A clean end: nothing is left to recover.
    void endJournal();
    // At the depositor's confirmation: a batch an unclean end left unsaved is offered
    // back; true when it was restored. Ends by beginning the journal.
    bool offerRecovery();
    bool journalWorking() const;
    // Says once a run that unsaved records cannot be brought back after a crash.
    void reportRecoveryOff();

private:
    bool lockJournal();
    std::unique_ptr<JournalHook> m_journal;
    std::unique_ptr<BatchWatch> m_watch;  // the batch's observer for as long as the workspace lives
    bool m_recoveryOffShown = false;
    bool m_otherCopyShown = false;
};

} // namespace vorlane
