#pragma once
// The recovery journal of the batch: the batch reports every change to it, so that a batch
// an unclean end left unsaved can be offered back at the next start.
#include "records/fileio.h"
#include "records/session.h"
#include "widgets/prompter.h"

#include <memory>

namespace vorlane {

class EntryWindow;
class JournalHook;
class BatchWatch;

class BatchRecovery {
public:
    BatchRecovery(Session &s, Prompter &p);
    // Not a clean end: the journal stays for the next run.
    ~BatchRecovery();

    // A batch starts: the journal starts afresh from it. With a stamp, the batch is
    // exactly that file's records (just opened or saved) and is journalled by reference.
    void beginJournal(const FileStamp *stamp = nullptr);
    // A clean end: nothing is left to recover.
    void endJournal();
    // At the depositor's confirmation: a batch an unclean end left unsaved is offered
    // back into `entry`; true when it was restored. Ends by beginning the journal.
    bool offerRecovery(EntryWindow *entry);
    bool journalWorking() const;
    // Says once a run that unsaved records cannot be brought back after a crash.
    void reportRecoveryOff();

private:
    friend class JournalHook;
    bool lockJournal();
    Session &session;
    Batch &batch;
    Prompter &prompter;
    std::unique_ptr<JournalHook> m_journal;
    std::unique_ptr<BatchWatch> m_watch;  // the batch's observer for as long as this lives
    bool m_recoveryOffShown = false;
    bool m_otherCopyShown = false;
};

}  // namespace vorlane
