#pragma once
// Where the program finds its tables and help text, and keeps "cusname.txt".
#include <QString>

namespace vorlane {

struct AppPaths {
    // Directory of the reference tables and "helpcustomer.txt": the program's own
    // directory when the tables are there (a portable copy), else the installed
    // share/vorlane folder.
    QString appDir;
    // Directory where "cusname.txt" is read and written: appDir when it can be
    // written, else the user's configuration folder.
    QString settingsDir;
    // Directory of the recovery journal: the user's data folder, or the folder named by
    // the environment variable VORLANE_STATE_DIR (an empty value turns recovery off).
    QString stateDir;
    // Where an unnamed batch is said to be and the file chooser starts when the program's
    // own folder holds its tables: appDir for a portable copy that may write there, else
    // the user's home folder (never the read-only installed folder).
    QString batchDir;

    QString file(const QString &name) const;  // appDir / name
    QString cusnamePath() const;              // settingsDir / cusname.txt
    QString nonamePath() const;               // batchDir / Noname.txt
    QString journalPath() const;              // stateDir / recovery.journal

    static AppPaths detect();  // from the running program
    // As detect(), for a program in `exeDir` with the given state-folder override
    // (null: none set).
    static AppPaths detectFrom(const QString &exeDir, const QString &stateOverride);
    static AppPaths forDirectory(const QString &dir);  // tables and cusname.txt in one folder (tests, --tables)

    // The program's own file (a table, the help text, "cusname.txt") that `path` names,
    // following links; empty when it names none. A batch must never be saved over one.
    QString programFileAt(const QString &path) const;
    // The folder a file chooser starts in: the working folder, unless that is where the
    // tables live (a save there could replace them), then batchDir's, else home.
    QString chooserStartDir(const QString &workingDir) const;
};

}  // namespace vorlane
