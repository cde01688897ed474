// "import": orders from a spreadsheet to a data file; "check": the entry checks over a data file.
#include "cli/commands.h"

#include "importer/sheet.h"
#include "workbook/workbook.h"
#include "records/codec.h"
#include "records/datafile.h"
#include "records/duplicates.h"
#include "records/linereader.h"

#include <QFileInfo>
#include <QHash>

using namespace Qt::StringLiterals;

namespace vorlane::cli {
namespace {

// Takes "NAME VALUE" out of args into *value; false (after a message) when VALUE is missing.
bool takeValue(QStringList &args, const QString &name, QString *value)
{
    const qsizetype i = args.indexOf(name);
    if (i < 0)
        return true;
    if (i + 1 >= args.size()) {
        printError(name + u" needs a value"_s);
        return false;
    }
    *value = args.at(i + 1);
    args.remove(i, 2);
    return true;
}

bool takeFlag(QStringList &args, const QString &name) { return args.removeAll(name) > 0; }

ReferenceTables loadTables(const AppPaths &paths, bool *ok)
{
    ReferenceTables t = LoadReferenceTables(paths);
    *ok = !t.missing.contains(u"rate.txt"_s) && !t.missing.contains(u"mo.txt"_s)
          && !t.missing.contains(u"postcode.txt"_s);
    if (!*ok)
        printError(u"อ่านตารางไม่ได้ : "_s + t.missing.join(u", "_s));
    for (const QString &bad : t.badRows)
        printError(bad);
    return t;
}

}  // namespace

int runImport(const QStringList &argsIn)
{
    QStringList args = argsIn;
    AppPaths paths;
    if (!takeTablesOption(args, paths))
        return 2;
    QString depositor, depositorAddress, output;
    const bool hasDepositor = args.contains(u"--depositor"_s);
    const bool hasAddress = args.contains(u"--depositor-address"_s);
    if (!takeValue(args, u"--depositor"_s, &depositor) || !takeValue(args, u"--depositor-address"_s, &depositorAddress)
        || !takeValue(args, u"--output"_s, &output))
        return 2;
    const bool accept = takeFlag(args, u"--accept-unknown-postcodes"_s);
    const bool force = takeFlag(args, u"--force"_s);
    if (args.size() != 1 || output.isEmpty()) {
        printError(u"usage: vorlane-cli import [--tables DIR] [--depositor NAME] [--depositor-address ADDRESS] "
                   "[--accept-unknown-postcodes] [--force] INPUT --output OUT.txt"_s);
        return 2;
    }
    if (QFileInfo::exists(output) && !force) {
        printError(u"มีแฟ้มนี้อยู่แล้ว : "_s + output);
        return 2;
    }
    bool tablesOk = false;
    const ReferenceTables tables = loadTables(paths, &tablesOk);
    if (!tablesOk)
        return 2;

    ImportOptions options;
    if (const auto d = ReadCusname(paths.cusnamePath()))
        options.depositor = *d;
    if (hasDepositor)
        options.depositor.name = depositor;
    if (hasAddress)
        options.depositor.address = depositorAddress;

    const Sheet sheet = ReadSheetFile(args[0]);
    if (!sheet.ok()) {
        printError(sheet.error);
        return 2;
    }
    const ImportResult result = ImportSheet(sheet, options, tables);
    if (!result.ok()) {
        printError(result.error);
        return 2;
    }
    const QStringList lines = result.lines(accept);
    const QList<Refusal> refused = result.refusals(accept);
    auto report = [&] {
        for (const QString &line : refusalLines(refused))
            printLine(line);
        printLine(u"imported: "_s + QString::number(lines.size()));
        printLine(u"refused: "_s + QString::number(refused.size()));
    };
    // Nothing to write: no file, and the run failed.
    if (lines.isEmpty()) {
        if (refused.isEmpty())
            printError(u"ไม่มีรายการธนาณัติในแฟ้มนี้ : "_s + args[0]);
        else
            report();
        return 2;
    }
    // The counts are told once the file holds them.
    const WriteResult w = WriteDataFile(output, lines);
    if (!w.ok()) {
        printError(u"บันทึกแฟ้มไม่ได้ : "_s + output + u" ("_s + w.detail + u')');
        return 2;
    }
    report();
    // Possible duplicates are imported and warned of, by the rows of the spreadsheet.
    QList<int> rowOf;
    for (const ImportedRow &r : result.rows)
        if (r.accepted && (!r.unknownPostcode || accept))
            rowOf << r.row;
    for (const DuplicatePair &d : DuplicatePairs(lines))
        printError(u"คำเตือน: "_s + DuplicateWarning(u"แถว"_s, rowOf[d.first], rowOf[d.second]));
    return refused.isEmpty() ? 0 : 1;
}

int runCheck(const QStringList &argsIn)
{
    QStringList args = argsIn;
    AppPaths paths;
    if (!takeTablesOption(args, paths))
        return 2;
    if (args.size() != 1) {
        printError(u"usage: vorlane-cli check [--tables DIR] FILE"_s);
        return 2;
    }
    bool tablesOk = false;
    const ReferenceTables tables = loadTables(paths, &tablesOk);
    if (!tablesOk)
        return 2;
    // Read as every other file (a pipe or a device under the name must not hang the
    // check), a line at a time: a large batch is checked in a fixed window of memory.
    int records = 0, refused = 0;
    qsizetype n = 0;
    // Possible duplicates by two independent hashes of their key: a fixed few bytes a line.
    QHash<QPair<size_t, size_t>, qsizetype> firstWithKey;

    const ReadResult read = ForEachDataFileLine(args[0], [&](QByteArrayView bytes) {
        ++n;
        if (bytes.isEmpty())
            return;
        const QString line = cp874::decode(bytes);
        const QString lineNo = QString::number(n);
        if (!IsRecordLine(line)) {
            // Opening the file would leave this line out.
            printLine(lineNo + u"\t-\t"_s + u"ไม่ใช่ข้อมูลธนาณัติ"_s);
            ++refused;
            return;
        }
        ++records;
        const QString key = DuplicateKey(RecordFieldAt(line, RecipientName), RecordFieldAt(line, DestPostcode),
                                         RecordFieldAt(line, Amount));
        const QPair<size_t, size_t> hashes{qHash(key, 0), qHash(key, size_t(0x9E3779B97F4A7C15ULL))};
        if (const auto it = firstWithKey.constFind(hashes); it != firstWithKey.constEnd())
            printError(u"คำเตือน: "_s + DuplicateWarning(u"บรรทัด"_s, *it, n));
        else
            firstWithKey.insert(hashes, n);
        // Opening keeps the line's bytes; what keying it would store differently is said.
        if (const GateVerdict g = ReviewStoredLine(line); !g.admitted()) {
            printLine(lineNo + u'\t' + QString::number(g.field) + u'\t' + g.message);
            ++refused;
            return;
        }
        EntryDraft d = EntryDraft::fromRecord(SplitRecord(line));
        for (const RuleOutcome &o : saveRules(d, tables)) {
            if (o.stops) {
                printLine(lineNo + u'\t' + QString::number(o.field) + u'\t' + o.message);
                ++refused;
                break;
            }
        }
    });
    if (!read.ok()) {
        printError(u"ไม่มี แฟ้มข้อมูลนี้: "_s + read.detail);
        return 2;
    }
    printLine(u"records: "_s + QString::number(records));
    printLine(u"refused: "_s + QString::number(refused));
    // Fees worked out from a rate row that cannot be read are not to be trusted.
    return refused == 0 && tables.badRows.isEmpty() ? 0 : 1;
}

}  // namespace vorlane::cli

namespace vorlane::cli {

int runExport(const QStringList &argsIn)
{
    QStringList args = argsIn;
    AppPaths paths;
    if (!takeTablesOption(args, paths))
        return 2;
    QString output;
    if (!takeValue(args, u"--output"_s, &output))
        return 2;
    if (args.size() != 1 || output.isEmpty()) {
        printError(u"usage: vorlane-cli export [--tables DIR] FILE --output OUT.xlsx"_s);
        return 2;
    }
    bool tablesOk = false;
    const ReferenceTables tables = loadTables(paths, &tablesOk);
    if (!tablesOk)
        return 2;
    const ReadResult file = ReadDataFile(args[0]);
    if (!file.ok()) {
        printError(u"ไม่มี แฟ้มข้อมูลนี้: "_s + file.detail);
        return 2;
    }
    QString error;
    if (!WriteWorkbook(output, file.lines, tables.rates, &error)) {
        printError(error);
        return 2;
    }
    printLine(u"records: "_s + QString::number(file.lines.size()));
    return 0;
}

}  // namespace vorlane::cli

namespace vorlane::cli {

int runTemplate(const QStringList &argsIn)
{
    QStringList args = argsIn;
    AppPaths paths;
    if (!takeTablesOption(args, paths))
        return 2;
    if (args.size() != 1) {
        printError(u"usage: vorlane-cli template [--tables DIR] OUT.xlsx"_s);
        return 2;
    }
    bool tablesOk = false;
    const ReferenceTables tables = loadTables(paths, &tablesOk);
    if (!tablesOk)
        return 2;
    QString error;
    if (!WriteImportTemplate(args[0], tables.rates, tables.types, &error)) {
        printError(error);
        return 2;
    }
    return 0;
}

}  // namespace vorlane::cli
