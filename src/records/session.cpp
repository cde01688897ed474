#include "records/session.h"

namespace vorlane {

ReferenceTables LoadReferenceTables(const AppPaths &paths)
{
    ReferenceTables t;
    TableStatus st;
    auto note = [&](const char *name) {
        if (!st.found) {
            t.missing.append(QString::fromLatin1(name));
            t.failures.append(FailureLine(st.failure));
        }
        if (st.cut)
            t.cut.append(QString::fromLatin1(name));
    };
    t.types = LoadCodeNameTable(paths.file(QStringLiteral("mo.txt")), &st);
    note("mo.txt");
    t.postOffices = LoadCodeNameTable(paths.file(QStringLiteral("postcode.txt")), &st);
    note("postcode.txt");
    t.rates = LoadRateTable(paths.file(QStringLiteral("rate.txt")), &st);
    note("rate.txt");
    t.badRows = st.badRows;
    t.reportTypes = LoadCodeNameTable(paths.file(QStringLiteral("mo1.txt")), &st);
    note("mo1.txt");
    return t;
}

}  // namespace vorlane
