#pragma once
// What every window of the program shares: the session, the message boxes, and the
// other windows. Work windows are children of the main window, shown one at a time
// in the space left of the command bar.
#include "records/session.h"
#include "shell/prompter.h"

class QWidget;

namespace vorlane {

class MainWindow;          // MDIForm1: the frame and its command bar
class EntryWindow;         // Form1
class DepositorDialog;     // Form4
class FileChooser;         // frmOpen
class ReviewWindow;        // Form3
class PrintOptionsWindow;  // Form2
class SearchWindow;        // Frmsearch
class HelpWindow;          // Frmhelp

struct Workspace {
    Workspace(Session &s, Prompter &p) : session(s), state(s.state), prompter(p) {}

    Session &session;
    SessionState &state;
    Prompter &prompter;

    MainWindow *main = nullptr;
    EntryWindow *entry = nullptr;              // created when the depositor dialog is first confirmed
    DepositorDialog *depositor = nullptr;
    FileChooser *chooser = nullptr;            // created on first use, destroyed after a successful save
    ReviewWindow *review = nullptr;            // created on first use, then kept
    PrintOptionsWindow *printOptions = nullptr;  // created on first use, then kept
    SearchWindow *search = nullptr;            // created at each opening
    HelpWindow *help = nullptr;                // created at each opening

    // The parent of every work window: the main window's area left of the command bar.
    QWidget *workArea() const;
    // All eight command-bar buttons at once (the captions decide which are meant to show).
    void setCommandButtonsVisible(bool visible);
    // The entry window, created and loaded (tables read) on first use.
    EntryWindow *ensureEntry();
};

} // namespace vorlane
