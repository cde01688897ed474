#include "records/apppaths.h"
#include "tempfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        QCOMPARE(p.cusnamePath(), home.filePath(u"config/Vorlane/cusname.txt"_s));
        // Nothing is made until something is written there.
        QVERIFY(!QFileInfo::exists(home.filePath(u"config"_s)));
        // A new batch is not said to be in the read-only installed folder.
        QVERIFY(!p.nonamePath().contains(u"share/vorlane"_s));
        QCOMPARE(p.nonamePath(), QDir::toNativeSeparators(QDir::homePath() + u"/Noname.txt"_s));
    }

    // A batch is never saved over the running program's own files, however they are named.
    void programFiles_data()
    {
        QTest::addColumn<QString>("name");  // in the tables' folder, "link" a link to rate.txt
        QTest::addColumn<QString>("own");
        QTest::newRow("the rate table") << u"rate.txt"_s << u"rate.txt"_s;
        QTest::newRow("the help text") << u"helpcustomer.txt"_s << u"helpcustomer.txt"_s;
        QTest::newRow("the depositor") << u"cusname.txt"_s << u"cusname.txt"_s;
        QTest::newRow("through dot-dot") << u"sub/../postcode.txt"_s << u"postcode.txt"_s;
        QTest::newRow("a link to a table") << u"link"_s << u"rate.txt"_s;
        QTest::newRow("a batch beside them") << u"batch.txt"_s << QString();
        QTest::newRow("another table's name in another case") << u"RATE.TXT"_s << QString();
    }
    void programFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, own);
        QTemporaryDir dir;
        QVERIFY(test::writeCp874(dir.filePath(u"rate.txt"_s), {u"101,10,0,0,0,1,0"_s}));
        QVERIFY(QDir(dir.path()).mkpath(u"sub"_s));
        QVERIFY(QFile::link(dir.filePath(u"rate.txt"_s), dir.filePath(u"link"_s)));
        const AppPaths p = AppPaths::forDirectory(dir.path());
        QCOMPARE(p.programFileAt(dir.filePath(name)), own);
        // The chooser starts elsewhere when the working folder is the tables' folder.
        QCOMPARE(p.chooserStartDir(dir.filePath(u"sub"_s)), dir.filePath(u"sub"_s));
        QVERIFY(p.chooserStartDir(dir.path()) != dir.path());
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "test_apppaths.moc"
