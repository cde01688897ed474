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

    QString file(const QString &name) const;         // appDir / name
    QString cusnamePath() const;                     // settingsDir / cusname.txt
    QString nonamePath() const;                      // appDir / Noname.txt
    QString journalPath() const;                     // stateDir / recovery.journal

    static AppPaths detect();                        // from the running program
    // As detect(), for a program in `exeDir` with the given state-folder override
    // (null: none set).
    static AppPaths detectFrom(const QString &exeDir, const QString &stateOverride);
    static AppPaths forDirectory(const QString &dir); // tables and cusname.txt in one folder (tests, --tables)
};

} // namespace vorlane
