#include "records/apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vorlane {
namespace {

QString join(const QString &dir, const QString &name) { return QDir::cleanPath(dir + QLatin1Char('/') + name); }

bool writableDir(const QString &dir)
{
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

}  // namespace

QString AppPaths::file(const QString &name) const { return join(appDir, name); }
QString AppPaths::cusnamePath() const { return join(settingsDir, QStringLiteral("cusname.txt")); }
QString AppPaths::nonamePath() const
{
    return QDir::toNativeSeparators(join(batchDir.isEmpty() ? appDir : batchDir, QStringLiteral("Noname.txt")));
}

namespace {

// One file as the file system sees it: links followed, "." and ".." gone.
QString sameFileKey(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

}  // namespace

QString AppPaths::programFileAt(const QString &path) const
{
    const QString key = sameFileKey(path);
    for (const char *name : {"rate.txt", "mo.txt", "postcode.txt", "mo1.txt", "helpcustomer.txt"})
        if (sameFileKey(file(QString::fromLatin1(name))) == key)
            return QString::fromLatin1(name);
    if (sameFileKey(cusnamePath()) == key)
        return QStringLiteral("cusname.txt");
    return {};
}

QString AppPaths::chooserStartDir(const QString &workingDir) const
{
    if (sameFileKey(workingDir) != sameFileKey(appDir))
        return workingDir;
    if (!batchDir.isEmpty() && sameFileKey(batchDir) != sameFileKey(appDir))
        return batchDir;
    return QDir::homePath();
}

// No folder, no journal: recovery is off.
QString AppPaths::journalPath() const
{
    return stateDir.isEmpty() ? QString() : join(stateDir, QStringLiteral("recovery.journal"));
}

AppPaths AppPaths::forDirectory(const QString &dir)
{
    AppPaths p;
    p.appDir = QDir(dir).absolutePath();
    p.settingsDir = p.appDir;
    p.stateDir = p.appDir;
    p.batchDir = p.appDir;
    return p;
}

AppPaths AppPaths::detect()
{
    const QByteArray state = qgetenv("VORLANE_STATE_DIR");
    return detectFrom(QCoreApplication::applicationDirPath(),
                      qEnvironmentVariableIsSet("VORLANE_STATE_DIR") ? QString::fromLocal8Bit(state) : QString());
}

AppPaths AppPaths::detectFrom(const QString &exeDir, const QString &stateOverride)
{
    AppPaths p;
    // A portable copy keeps its tables beside the program; an installed one in share/vorlane.
    if (QFileInfo::exists(join(exeDir, QStringLiteral("rate.txt")))) {
        p.appDir = exeDir;
    } else {
        const QString shared = QDir::cleanPath(exeDir + QStringLiteral("/../share/vorlane"));
        p.appDir = QFileInfo::exists(shared) ? shared : exeDir;
    }
    // A portable copy keeps "cusname.txt" beside the program when it may; an installed
    // program never writes into its shared data folder, even when run as root.
    if (p.appDir == exeDir && writableDir(p.appDir)) {
        p.settingsDir = p.appDir;
        p.batchDir = p.appDir;
    } else {
        p.batchDir = QDir::homePath();
        // Named, not taken from the program's name: the desktop program and the
        // command-line tool share one depositor. The folder is made when it is written.
        QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        if (config.isEmpty())
            config = QDir::homePath() + QStringLiteral("/.config");
        p.settingsDir = join(config, QStringLiteral("Vorlane"));
    }
    if (!stateOverride.isNull()) {
        p.stateDir = stateOverride;
        return p;
    }
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share");
    p.stateDir = join(data, QStringLiteral("Vorlane"));
    return p;
}

}  // namespace vorlane
