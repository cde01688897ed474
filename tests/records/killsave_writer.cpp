// Saves two batches over one data file by turns until it is killed.
// Usage: records_killsave_writer <data file> <lines per batch>
// Prints "ready" once the batches are built, then one "w" before each save.
#include "killsave_batches.h"
#include "records/datafile.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int lines = std::atoi(argv[2]);
    const QStringList batches[2] = {vorlane::test::killSaveBatch(0, lines), vorlane::test::killSaveBatch(1, lines)};
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (unsigned k = 1;; ++k) {
        std::fputc('w', stdout);
        std::fflush(stdout);
        if (!vorlane::WriteDataFile(path, batches[k % 2]).ok())
            return 3;
    }
}
