#pragma once
// Orders from a spreadsheet: the cells of its first sheet, read from CSV, and the rows
// put through the entry window's save checks.
#include "rules/entryrules.h"
#include "records/cusname.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace vorlane {

// Limits that keep a hostile file from exhausting memory.
inline constexpr qint64 kMaxSheetBytes = qint64(64) * 1024 * 1024;  // a CSV, or all XML of a workbook unpacked
inline constexpr qint64 kMaxSheetCells = 4 * 1000 * 1000;

struct Sheet {
    QList<QStringList> rows;  // row 0 is the header
    QString error;            // Thai; set when the file could not be read
    // Cells that hold a formula the file keeps no result of (row << 32 | column): the
    // program that wrote it never calculated it, so nothing can be read from them.
    QSet<qint64> uncomputed;
    // Said after the message of a row refused for an empty cell: the reader cannot tell an
    // empty cell from one whose formula it cannot read.
    QString emptyCellHint;
    int sheetCount = 1;  // of the workbook it was read from
    bool ok() const { return error.isEmpty(); }
    static qint64 cellKey(qint64 row, qint64 col) { return (row << 32) | col; }
};

// UTF-8 (with or without a byte-order mark), UTF-16 with its mark (Excel's "Unicode
// Text"), else code page 874; the delimiter is the one of comma, semicolon and TAB that
// splits the header row most; quotes as in RFC 4180, and a quote never closed refuses
// the file, naming the row where it opened.
Sheet ReadCsv(QByteArrayView bytes);
// A sheet of a workbook (the first unless told): text, shared-string, inline-string and
// number cells; a date, time or percentage as shown, a formula as its last computed value.
Sheet ReadXlsx(QByteArrayView bytes, int sheetIndex = 0);
Sheet ReadOds(QByteArrayView bytes, int sheetIndex = 0);
// Excel's escapes in a workbook's strings: "_x000D_" is a carriage return, "_x005F_" an
// underscore.
QString decodeXlsxEscapes(const QString &text);
// An Excel 97-2003 workbook (.xls), a sheet of it (the first unless told), read by the
// helper program vorlane-xls beside the program (or in libexec/vorlane), so that a broken
// file can never harm the program itself.
Sheet ReadXls(const QString &path, int sheetIndex = 0);
// What the helper does: libfreexl in this process. Never call it in the program.
Sheet ReadXlsInProcess(const QString &path, int sheetIndex = 0);
// The helper's output and its reading back: the sheet as lines of TAB-separated cells.
QByteArray XlsHandover(const Sheet &sheet);
Sheet XlsTakeover(QByteArrayView bytes, const QString &path);
// Said after a refusal for an empty cell of an .xls whose formula results could not be read.
QString ReadXlsInProcessHint();
// The last computed value of each formula cell of a sheet of an .xls file (cellKey to
// text), which libfreexl does not give; nullopt when the file's structure cannot be read.
std::optional<QHash<qint64, QString>> XlsFormulaResults(QByteArrayView file, int sheetIndex);
// By what the file holds (a zip workbook, an old Excel workbook) and then by its name's
// ending: .xlsx and .xlsm, .ods, .xls, else text (.csv, .txt, .tsv). A kind that cannot be
// read is said to be so. Of a workbook, the first sheet that names the order columns in
// its first rows (a summary sheet may come first); the first sheet when none does.
Sheet ReadSheetFile(const QString &path);

struct Refusal {
    int row = 0;     // in the spreadsheet: the header is row 1
    QString column;  // the column's name as it stands in the file
    QString message;
};

struct ImportOptions {
    DepositorDetails depositor;  // for empty depositor cells and missing depositor columns
};

// One row's fate; a row whose only fault is a postcode the table does not hold waits for
// one answer that holds for all such rows.
struct ImportedRow {
    int row = 0;
    QString line;     // the record line when accepted (or when the postcode is accepted)
    Refusal refusal;  // when refused (or when the postcode is refused)
    bool accepted = false;
    bool unknownPostcode = false;
    QString postcode;  // the unknown postcode, for the question's list
};

struct ImportResult {
    QString error;            // Thai; a required column is missing: nothing is imported
    QList<ImportedRow> rows;  // the data rows in order, empty rows left out
    bool ok() const { return error.isEmpty(); }
    bool hasUnknownPostcodes() const;
    // Lines and refusals in row order once the unknown postcodes are answered.
    QStringList lines(bool acceptUnknownPostcodes) const;
    QList<Refusal> refusals(bool acceptUnknownPostcodes) const;
};

ImportResult ImportSheet(const Sheet &sheet, const ImportOptions &options, const ReferenceTables &tables);

// The sheet names the type, the recipient and the amount in one of its first rows.
bool HasOrderHeader(const Sheet &sheet);

// The message for a row refused because its postcode is not in the table.
QString unknownPostcodeMessage();
// The one question for all rows whose postcode the table does not hold (Yes accepts all).
QString unknownPostcodeQuestion(const ImportResult &result);
// Refused rows as the command line prints them: ROW, TAB, COLUMN, TAB, MESSAGE.
QStringList refusalLines(const QList<Refusal> &refused);
// "orders.xlsx" -> "orders.txt" in the same folder; "orders.txt" (text a spreadsheet
// exported) -> "orders-ธนาณัติ.txt".
QString batchPathFor(const QString &sheetPath);
// True for a name ending in .csv, .tsv, .xlsx, .xlsm, .xls or .ods.
bool isSheetPath(const QString &path);
// The same, or a file under another name (.txt) that holds a workbook or UTF-16 text
// (Excel's "Unicode Text"): imported, not opened as a data file.
bool HoldsSheet(const QString &path);

}  // namespace vorlane
