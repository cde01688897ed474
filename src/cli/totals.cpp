#include "cli/commands.h"

#include "records/datafile.h"
#include "records/numbers.h"
#include "records/texthelpers.h"
#include "records/totals.h"

namespace vorlane::cli {

int runTotals(const QStringList &argsIn)
{
    QStringList args = argsIn;
    AppPaths paths;
    if (!takeTablesOption(args, paths))
        return 2;
    if (args.size() != 1) {
        printError(QStringLiteral("usage: vorlane-cli totals [--tables DIR] FILE"));
        return 2;
    }
    TableStatus st;
    const RateTable rates = LoadRateTable(paths.file(QStringLiteral("rate.txt")), &st);
    if (!st.found) {
        printError(QStringLiteral("cannot read the rate table %1").arg(st.path));
        return 1;
    }
    // One pass over the file in chunks: a large file is never held whole.
    const FileTotals file = ComputeFileTotals(args[0], rates);
    if (!file.read.ok()) {
        printError(QStringLiteral("ไม่มี แฟ้มข้อมูลนี้: %1").arg(file.read.detail));
        return 1;
    }
    const BatchTotals &t = file.totals;
    if (t.beyond > 0) {
        // No total is better than a wrong one.
        printError(QStringLiteral("record %1: amount %2 is beyond what can be computed exactly (%3 such records)")
                       .arg(QString::number(t.firstBeyond + 1), trimWhiteSpace(file.firstBeyondAmount).toString(),
                            QString::number(t.beyond)));
        return 1;
    }
    printLine(QStringLiteral("records: %1").arg(t.count));
    printLine(QStringLiteral("amount: %1").arg(formatGrouped(t.amount)));
    printLine(QStringLiteral("fee: %1").arg(formatGrouped(t.fee)));
    return 0;
}

}  // namespace vorlane::cli
