// vorlane-cli slip: the summary deposit slip of a data file as a PDF, drawn exactly as
// the printer receives it, refusing what the print options window refuses.
#include "cli/commands.h"

#include "records/datafile.h"
#include "records/tables.h"
#include "records/texthelpers.h"
#include "report/printchoices.h"
#include "report/qt/slipoutput.h"

#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace vorlane::cli {

namespace {

const char kUsage[] = "usage: vorlane-cli slip [--tables DIR] [--type CODE] [--pages FIRST-LAST] [--paper a4|letter] "
                      "--output OUT.pdf|--printer QUEUE FILE";

int usageError(const QString &why)
{
    printError(why);
    printError(QString::fromLatin1(kUsage));
    return 2;
}

int runSlip(QStringList args)
{
    AppPaths paths;
    if (!takeTablesOption(args, paths))
        return 2;

    PrintChoices choices;
    choices.typeIndex = int(kReportTypeCodes.size()) - 1;  // all types
    choices.allPages = true;
    QString output, input, printer;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == u"--type"_s || a == u"--pages"_s || a == u"--paper"_s || a == u"--output"_s || a == u"--printer"_s) {
            if (!hasValue)
                return usageError(a + u" needs a value"_s);
            const QString v = args.at(++i);
            if (a == u"--type"_s) {
                const auto *it = std::find(kReportTypeCodes.begin(), kReportTypeCodes.end(), trimWhiteSpace(v));
                choices.typeIndex = it == kReportTypeCodes.end() ? -1 : int(it - kReportTypeCodes.begin());
            } else if (a == u"--pages"_s) {
                // "FIRST-LAST", or one page; the texts are checked as the window checks its boxes.
                const qsizetype dash = v.indexOf(u'-', 1);
                choices.allPages = false;
                choices.pageRange = true;
                choices.firstPage = dash < 0 ? v : v.left(dash);
                choices.lastPage = dash < 0 ? v : v.mid(dash + 1);
            } else if (a == u"--paper"_s) {
                const QString p = v.toLower();
                if (p != u"a4"_s && p != u"letter"_s)
                    return usageError(u"--paper is a4 or letter"_s);
                choices.a4 = p == u"a4"_s;
            } else if (a == u"--printer"_s) {
                printer = v;
            } else {
                output = v;
            }
        } else if (a.startsWith(u"--"_s)) {
            return usageError(u"unknown option "_s + a);
        } else if (input.isEmpty()) {
            input = a;
        } else {
            return usageError(u"one data file only"_s);
        }
    }
    if (input.isEmpty() || output.isEmpty() == printer.isEmpty())
        return usageError(u"a data file and one of --output and --printer are needed"_s);

    TableStatus rateStatus;
    const RateTable rates = LoadRateTable(paths.file(u"rate.txt"_s), &rateStatus);
    if (!rateStatus.found) {
        printError(u"cannot read the rate table "_s + rateStatus.path);
        return 1;
    }
    ReadResult data = ReadDataFile(input, LineForm::Block);
    if (!data.ok()) {
        printError(data.detail);
        return 1;
    }
    // Read once, line by line: neither the whole text nor the search copy is made.
    RecordStore all;
    all.assignBlock(std::move(data.block), RecordStore::Text::PerLine);
    RecordStore selected;

    const CheckOutcome check = CheckPrintChoices(choices, all, selected);
    if (!check.accepted) {
        printError(check.message);
        return 1;
    }
    // The queue gets the slip only once it is drawn whole, as from the print window.
    const SlipJob job{all, selected, rates, check.request};
    const SlipResult result = printer.isEmpty() ? WriteSlipPdf(output, job) : PrintSlip(printer, job);
    switch (result.status) {
    case SlipResult::Status::Printed: return 0;
    case SlipResult::Status::Empty: printError(kNothingToPrint); return 1;
    case SlipResult::Status::Failed: printError(result.errorText()); return 1;
    case SlipResult::Status::Cancelled:
    case SlipResult::Status::NotRun: break;
    }
    printError(u"nothing was printed"_s);
    return 1;
}

}  // namespace

int runSlipMain(int argc, char **argv, const QStringList &args)
{
    // Fonts need a GUI platform; a script on a server has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries this command's own messages only; the platform's notes
    // (no runtime folder on a server, and the like) would bury them.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            printError(message);
    });
    QGuiApplication app(argc, argv);
    return runSlip(args);
}

}  // namespace vorlane::cli
