#include "records/apppaths.h"
#include "tempfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestAppPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void portableCopyKeepsEverythingBesideTheProgram()
    {
        QTemporaryDir dir;
        QVERIFY(test::writeCp874(dir.filePath(u"rate.txt"_s), {u"101,10,0,0,0,1,0"_s}));
        const AppPaths p = AppPaths::detectFrom(dir.path(), u"state"_s);
        QCOMPARE(p.appDir, dir.path());
        QCOMPARE(p.cusnamePath(), dir.filePath(u"cusname.txt"_s));
        QCOMPARE(p.file(u"postcode.txt"_s), dir.filePath(u"postcode.txt"_s));
    }

    void installedProgramNeverWritesIntoItsDataFolder()
    {
        // prefix/bin/vorlane with the tables in prefix/share/vorlane, all writable (root).
        QTemporaryDir prefix, home;
        QVERIFY(QDir(prefix.path()).mkpath(u"bin"_s));
        QVERIFY(QDir(prefix.path()).mkpath(u"share/vorlane"_s));
        QVERIFY(test::writeCp874(prefix.filePath(u"share/vorlane/rate.txt"_s), {u"101,10,0,0,0,1,0"_s}));
        qputenv("XDG_CONFIG_HOME", home.filePath(u"config"_s).toLocal8Bit());
        const AppPaths p = AppPaths::detectFrom(prefix.filePath(u"bin"_s), u"state"_s);
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(p.appDir, QDir::cleanPath(prefix.filePath(u"share/vorlane"_s)));
        QCOMPARE(p.file(u"rate.txt"_s), QDir::cleanPath(prefix.filePath(u"share/vorlane/rate.txt"_s)));
        QVERIFY2(p.cusnamePath().startsWith(home.filePath(u"config"_s)), qPrintable(p.cusnamePath()));
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "test_apppaths.moc"
