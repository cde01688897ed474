#pragma once
// The batch as an XLSX workbook: the order columns with Thai names, the post office, the
// fee, amounts and fees as numbers with two decimals, and a totals row.
#include "records/tables.h"

#include <QString>
#include <QStringList>

namespace vorlane {

// Saved atomically, so a failure leaves no half workbook.
// False (with a Thai message in *error) when it could not be written.
bool WriteWorkbook(const QString &path, const QStringList &recordLines, const RateTable &rates, QString *error);

} // namespace vorlane
