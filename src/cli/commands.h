#pragma once
// Sub-commands of vorlane-cli. Each takes the arguments after its name and returns the
// exit code; output is UTF-8, messages go to standard error.
#include "records/apppaths.h"

#include <QStringList>

namespace vorlane::cli {

int runFee(const QStringList &args);
int runTotals(const QStringList &args);
int runImport(const QStringList &args);
int runCheck(const QStringList &args);
int runExport(const QStringList &args);
int runTemplate(const QStringList &args);
// Creates the application object it needs (a GUI one, for fonts) and runs the slip.
int runSlipMain(int argc, char **argv, const QStringList &args);

// Takes "--tables DIR" out of args; the tables folder (default: the program's own rule).
// Returns false (after a message) when the option is malformed.
bool takeTablesOption(QStringList &args, AppPaths &paths);
void printError(const QString &message);
void printLine(const QString &line);

}  // namespace vorlane::cli
