// vorlane-xls: reads one sheet of an Excel 97-2003 workbook with libfreexl and writes its
// cells to standard output for the program, which never runs that library itself.
// Usage: vorlane-xls FILE [SHEET]
#include "importer/sheet.h"
#include "records/platform.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    vorlane::platform::PrepareProcess();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fputs("usage: vorlane-xls FILE [SHEET]\n", stderr);
        return 2;
    }
    const int sheet = args.size() == 3 ? args[2].toInt() : 0;
    const QByteArray out = vorlane::XlsHandover(vorlane::ReadXlsInProcess(args[1], sheet));
    return std::fwrite(out.constData(), 1, size_t(out.size()), stdout) == size_t(out.size()) && std::fflush(stdout) == 0
               ? 0
               : 1;
}
