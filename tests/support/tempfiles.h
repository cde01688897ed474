#pragma once
// Files for tests, written in code page 874 as the program writes them.
#include "records/codec.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>

namespace vorlane::test {

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(bytes) == bytes.size();
}

// Lines joined with `eol` (CR LF by default) and a final line end.
inline bool writeCp874(const QString &path, const QStringList &lines, const QByteArray &eol = "\r\n")
{
    QByteArray out;
    for (const QString &l : lines) {
        const auto e = cp874::encode(l);
        if (!e.ok)
            return false;
        out += e.bytes + eol;
    }
    return writeBytes(path, out);
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Copies the bundled tables (mo.txt, postcode.txt, rate.txt, mo1.txt, helpcustomer.txt)
// into `dir`, so tests never write next to the real ones.
inline bool copyBundledTables(const QString &dir)
{
    const QString src = qEnvironmentVariable("VORLANE_TEST_DATA");
    if (src.isEmpty())
        return false;
    bool ok = true;
    for (const char *name : {"mo.txt", "postcode.txt", "rate.txt", "mo1.txt", "helpcustomer.txt"}) {
        const QString from = src + QLatin1Char('/') + QLatin1String(name);
        const QString to = dir + QLatin1Char('/') + QLatin1String(name);
        QFile::remove(to);
        if (QFile::exists(from))
            ok = QFile::copy(from, to) && ok;
    }
    return ok;
}

}  // namespace vorlane::test

#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace vorlane::test {

// A folder nobody can write into while this object lives: permissions for an ordinary
// user; for root (who ignores them), the immutable attribute. `ok` is false when the
// folder could not be locked on this machine.
struct LockedFolder {
    QString path;
    bool ok = false;
    bool viaAttribute = false;
    explicit LockedFolder(const QString &dir) : path(dir)
    {
        if (::geteuid() == 0) {
            viaAttribute = true;
            ok = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
        } else {
            ok = QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
    }
    ~LockedFolder()
    {
        if (viaAttribute)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
        else
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

// A tiny file system that fills up after `kib` KiB (root only: tmpfs mount).
struct SmallDisk {
    QString path;
    bool ok = false;
    SmallDisk(const QString &dir, int kib) : path(dir)
    {
        if (::geteuid() != 0)
            return;
        ok = QProcess::execute(QStringLiteral("mount"),
                               {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                QStringLiteral("size=%1k").arg(kib), QStringLiteral("tmpfs"), path})
             == 0;
    }
    ~SmallDisk()
    {
        if (ok)
            QProcess::execute(QStringLiteral("umount"), {path});
    }
};

}  // namespace vorlane::test
