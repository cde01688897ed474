#pragma once
// The chooser's rules for names and paths, apart from the window.
#include <QString>

namespace vorlane {

// True when the name holds at most one ".".
bool CheckFileName(QStringView name);

// Folder and name joined with the platform's separator; a root folder ("/", "C:\")
// already ends in one and is not given a second.
QString JoinChooserPath(const QString &dir, const QString &name);

enum class SaveNameProblem {
    None,
    Empty,  // nothing (or nothing before the extension) to name the file with
    TooManyDots,
    ExtensionLength,  // not three characters after the first "."
    NotText,          // extension other than "txt"
    Reserved,         // "Noname.txt", the working name of an unsaved batch
};

struct SaveNameCheck {
    SaveNameProblem problem = SaveNameProblem::None;
    QString boxText;   // the name box afterwards: ".txt" added when the name had no "."
    QString fileName;  // the file to write, blanks around it dropped
};

// The name checks of the save mode, in the order the user meets them. On accept the
// box's text is trimmed first; on Enter it is taken as it stands, blanks included.
SaveNameCheck CheckSaveName(const QString &boxText, bool onEnter);

// What the save mode makes of the name box on Enter or on accept, before it looks at the
// batch or at a file already there.
struct SaveNameStep {
    bool passed = false;
    QString message;   // the message box to show; empty when the name passed
    QString boxText;   // the name box afterwards (a refused name is cleared on accept)
    QString fileName;  // the file to write, when passed
};
SaveNameStep SaveNameOutcome(const QString &boxText, bool onEnter);

// Open mode: the message for a name box with nothing but white space; empty otherwise.
QString OpenNameRefusal(const QString &boxText);

}  // namespace vorlane
