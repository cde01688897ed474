#pragma once
// Orders from a spreadsheet: the cells of its first sheet, read from CSV, and the rows
// put through the entry window's save checks.
#include "entry/entryrules.h"
#include "records/cusname.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vorlane {

// Limits that keep a hostile file from exhausting memory.
inline constexpr qint64 kMaxSheetBytes = qint64(64) * 1024 * 1024;  // a CSV, or all XML of a workbook unpacked
inline constexpr qint64 kMaxSheetCells = 4 * 1000 * 1000;

struct Sheet {
    QList<QStringList> rows;  // row 0 is the header
    QString error;            // Thai; set when the file could not be read
    bool ok() const { return error.isEmpty(); }
};

// UTF-8 (with or without a byte-order mark), else code page 874; the delimiter is the one
// of comma, semicolon and TAB that splits the header row most; quotes as in RFC 4180.
Sheet ReadCsv(QByteArrayView bytes);
// The first sheet of a workbook: text, shared-string, inline-string and number cells; a
// date, time or percentage as shown, a formula as its last computed value.
Sheet ReadXlsx(QByteArrayView bytes);
Sheet ReadOds(QByteArrayView bytes);
// By the file name's ending: .csv, .xlsx or .ods.
Sheet ReadSheetFile(const QString &path);

struct Refusal {
    int row = 0;       // in the spreadsheet: the header is row 1
    QString column;    // the column's name as it stands in the file
    QString message;
};

struct ImportOptions {
    DepositorDetails depositor;  // for empty depositor cells and missing depositor columns
};

// One row's fate; a row whose only fault is a postcode the table does not hold waits for
// one answer that holds for all such rows.
struct ImportedRow {
    int row = 0;
    QString line;       // the record line when accepted (or when the postcode is accepted)
    Refusal refusal;    // when refused (or when the postcode is refused)
    bool accepted = false;
    bool unknownPostcode = false;
    QString postcode;   // the unknown postcode, for the question's list
};

struct ImportResult {
    QString error;  // Thai; a required column is missing: nothing is imported
    QList<ImportedRow> rows;  // the data rows in order, empty rows left out
    bool ok() const { return error.isEmpty(); }
    bool hasUnknownPostcodes() const;
    // Lines and refusals in row order once the unknown postcodes are answered.
    QStringList lines(bool acceptUnknownPostcodes) const;
    QList<Refusal> refusals(bool acceptUnknownPostcodes) const;
};

ImportResult ImportSheet(const Sheet &sheet, const ImportOptions &options, const ReferenceTables &tables);

// The message for a row refused because its postcode is not in the table.
QString unknownPostcodeMessage();
// The one question for all rows whose postcode the table does not hold (Yes accepts all).
QString unknownPostcodeQuestion(const ImportResult &result);
// Refused rows as the command line prints them: ROW, TAB, COLUMN, TAB, MESSAGE.
QStringList refusalLines(const QList<Refusal> &refused);
// "orders.xlsx" -> "orders.txt" in the same folder.
QString batchPathFor(const QString &sheetPath);
// True for a name ending in .csv, .xlsx or .ods.
bool isSheetPath(const QString &path);

} // namespace vorlane
