// vorlane-cli slip: the summary deposit slip of a data file as a PDF, drawn exactly as
// the printer receives it, refusing what the print options window refuses.
#include "cli/commands.h"

#include "records/codec.h"
#include "records/datafile.h"
#include "records/linereader.h"
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

// The orders of a data file of the chosen type, read from the file at every pass of the
// slip rather than held: a batch of any size needs a chunk of the file and two figures
// per order.
class FileOrders final : public SlipOrders {
public:
    FileOrders(const QString &path, const QString &typeCode)
        : m_passes(path), m_code(trimWhiteSpace(typeCode).toString()), m_allTypes(m_code == kAllTypes)
    {}
    // The first pass: what the checks need before anything is drawn.
    bool survey()
    {
        m_chosen = 0;
        return forEach([&](QStringView) { ++m_chosen; });
    }
    qsizetype allCount() const { return m_passes.count(); }
    qsizetype chosenCount() const { return m_chosen; }
    const QString &firstLine() const { return m_first; }
    const ReadResult &failure() const { return m_failure; }

    bool forEach(const std::function<void(QStringView line)> &order) override
    {
        bool first = true;
        m_failure = m_passes.pass([&](QByteArrayView bytes) {
            const QString line = cp874::decode(bytes);
            if (std::exchange(first, false))
                m_first = line;
            if (m_allTypes) {
                order(line);
                return;
            }
            if (const std::optional<QString> chosen = SlipLineOfType(line, m_code))
                order(*chosen);
        });
        return m_failure.ok();
    }

private:
    DataFilePasses m_passes;
    QString m_code;
    bool m_allTypes;
    qsizetype m_chosen = 0;
    QString m_first;
    ReadResult m_failure;
};

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
    const QString typeCode = choices.typeIndex >= 0 && choices.typeIndex < int(kReportTypeCodes.size())
                                 ? kReportTypeCodes[size_t(choices.typeIndex)]
                                 : kAllTypes;
    FileOrders orders(input, typeCode);
    if (!orders.survey()) {
        printError(orders.failure().detail);
        return 1;
    }
    const CheckOutcome check = CheckPrintChoices(
        choices, [&](const QString &code) { return code == kAllTypes ? orders.allCount() : orders.chosenCount(); });
    if (!check.accepted) {
        printError(check.message);
        return 1;
    }
    // The queue gets the slip only once it is drawn whole, as from the print window.
    const SlipJob job(orders, orders.firstLine(), rates, check.request);
    const SlipResult result = printer.isEmpty() ? WriteSlipPdf(output, job) : PrintSlip(printer, job);
    switch (result.status) {
    case SlipResult::Status::Printed: return 0;
    case SlipResult::Status::Empty: printError(kNothingToPrint); return 1;
    case SlipResult::Status::Failed:
        // A file that could not be read again, or changed meanwhile, says so in its own words.
        printError(orders.failure().ok() ? result.errorText() : orders.failure().detail);
        return 1;
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
