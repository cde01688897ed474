#include "cli/commands.h"

#include "records/fee.h"
#include "records/numbers.h"

#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <string>

namespace vorlane::cli {
namespace {

bool loadRates(const AppPaths &paths, RateTable &rates)
{
    TableStatus st;
    rates = LoadRateTable(paths.file(QStringLiteral("rate.txt")), &st);
    if (!st.found) {
        printError(QStringLiteral("cannot read the rate table %1").arg(st.path));
        return false;
    }
    return true;
}

}  // namespace

int runFee(const QStringList &argsIn)
{
    QStringList args = argsIn;
    AppPaths paths;
    if (!takeTablesOption(args, paths))
        return 2;
    RateTable rates;
    if (!loadRates(paths, rates))
        return 1;
    if (args.size() == 2) {
        const std::optional<double> fee = ComputeFeeExact(rates, args[0], args[1]);
        if (!fee) {
            printError(QStringLiteral("amount %1 is beyond what can be computed exactly").arg(args[1]));
            return 1;
        }
        printLine(formatGrouped(*fee));
        return 0;
    }
    if (!args.isEmpty()) {
        printError(QStringLiteral("usage: vorlane-cli fee [--tables DIR] [TYPE AMOUNT]"));
        return 2;
    }
    // One "TYPE<TAB>AMOUNT" per line on standard input, one fee per line out, in order.
    std::string raw;
    int lineNo = 0;
    int status = 0;
    while (std::getline(std::cin, raw)) {
        ++lineNo;
        QString line = QString::fromUtf8(raw.data(), qsizetype(raw.size()));
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0) {
            printError(QStringLiteral("line %1: expected TYPE<TAB>AMOUNT").arg(lineNo));
            printLine(QString());
            status = 1;
            continue;
        }
        const std::optional<double> fee = ComputeFeeExact(rates, QStringView(line).left(tab),
                                                          QStringView(line).mid(tab + 1));
        if (!fee) {
            printError(QStringLiteral("line %1: amount beyond what can be computed exactly").arg(lineNo));
            printLine(QString());
            status = 1;
            continue;
        }
        printLine(formatGrouped(*fee));
    }
    std::fflush(stdout);
    return status;
}

}  // namespace vorlane::cli
