#pragma once
// Realistic batches for the benchmarks: bundled tables, Thai names and addresses,
// every type, amounts with and without decimals.
#include "records/session.h"

#include <QStringList>

namespace vorlane::bench {

// The bundled tables (the folder named by VORLANE_DATA, else ../data from the source tree).
QString dataDir();
ReferenceTables bundledTables();
// `count` record lines, the same for the same seed.
QStringList makeBatch(const ReferenceTables &tables, int count, unsigned seed = 874);

}  // namespace vorlane::bench
