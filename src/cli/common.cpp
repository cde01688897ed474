#include "cli/commands.h"

#include <QFileInfo>

#include <cstdio>

namespace vorlane::cli {

void printError(const QString &message)
{
    const QByteArray b = message.toUtf8() + '\n';
    std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
}

void printLine(const QString &line)
{
    const QByteArray b = line.toUtf8() + '\n';
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
}

bool takeTablesOption(QStringList &args, AppPaths &paths)
{
    paths = AppPaths::detect();
    const qsizetype i = args.indexOf(QStringLiteral("--tables"));
    if (i < 0)
        return true;
    if (i + 1 >= args.size()) {
        printError(QStringLiteral("--tables needs a folder"));
        return false;
    }
    const QString dir = args.at(i + 1);
    if (!QFileInfo(dir).isDir()) {
        printError(QStringLiteral("no such folder: %1").arg(dir));
        return false;
    }
    paths = AppPaths::forDirectory(dir);
    args.remove(i, 2);
    return true;
}

}  // namespace vorlane::cli
