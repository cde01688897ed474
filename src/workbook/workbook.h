#pragma once
// The batch as an XLSX workbook: the order columns with Thai names, the post office, the
// fee, amounts and fees as numbers with two decimals, and a totals row.
#include "records/tables.h"

#include <QString>
#include <QList>
#include <QStringList>

namespace vorlane {

// Saved atomically, so a failure leaves no half workbook.
// False (with a Thai message in *error) when it could not be written.
bool WriteWorkbook(const QString &path, const QStringList &recordLines, const RateTable &rates, QString *error);

// A blank workbook to fill in and import: the header row, a drop-down of the types in
// mo.txt, the postcode held to five characters and the amount to the rates' limits, and a
// second sheet that explains each column in Thai.
bool WriteImportTemplate(const QString &path, const RateTable &rates, const CodeNameTable &types, QString *error);

struct TemplateColumn {
    QString heading;
    bool required = false;
    QString meaning;
    QString example;
};
// The template's columns in order, as the import reads them.
QList<TemplateColumn> ImportTemplateColumns();

}  // namespace vorlane
