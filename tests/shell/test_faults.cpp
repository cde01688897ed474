// The program keeps working when its folders and files fail it: missing tables, a
// journal that cannot be written, a save that cannot be written, read-only folders.
#include "../entry/entryfixture.h"

#include "shell/batchrecovery.h"
#include "shell/fileflows.h"
#include "help/help.h"
#include "help/helpwindow.h"
#include "records/datafile.h"
#include "records/journal.h"
#include "tempfiles.h"
#include "controls.h"

#include <QPlainTextEdit>
#include <QProcess>

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

namespace {

const QString kWriteError = u"error writing to disk or  writing to protected disk  "_s;
const QString kAskSaveUnsaved = u"ข้อมูลยังไม่ได้บันทึก ต้องการบันทึกหรือไม่"_s;

int countStarting(const ScriptedPrompter &p, const QString &start)
{
    int n = 0;
    for (const auto &s : p.shown)
        n += s.text.startsWith(start);
    return n;
}

// A path below a plain file: nobody, root included, can create anything there.
QString underAFile(const QTemporaryDir &dir)
{
    const QString file = dir.filePath(u"plainfile"_s);
    writeBytes(file, "x");
    return file + u"/sub"_s;
}

}  // namespace

class Faults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingTables_data();
    void missingTables();
    void journalCannotBeWritten();
    void journalTurnedOff();
    void saveCannotBeWritten_data();
    void saveCannotBeWritten();
    void helpFileUnreadable_data();
    void helpFileUnreadable();
    void pathsFallBack_data();
    void pathsFallBack();
    void programStartsWithNothingWritable();
};

void Faults::missingTables_data()
{
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("canKey");

    QTest::newRow("rate") << QStringList{u"rate.txt"_s} << u"อ่านแฟ้มตารางไม่ได้: rate.txt"_s << true;
    QTest::newRow("post offices") << QStringList{u"postcode.txt"_s} << u"อ่านแฟ้มตารางไม่ได้: postcode.txt"_s << true;
    QTest::newRow("two") << QStringList{u"rate.txt"_s, u"mo1.txt"_s} << u"อ่านแฟ้มตารางไม่ได้: rate.txt, mo1.txt"_s << true;
    QTest::newRow("all") << QStringList{u"mo.txt"_s, u"postcode.txt"_s, u"rate.txt"_s, u"mo1.txt"_s}
                         << u"อ่านแฟ้มตารางไม่ได้: mo.txt, postcode.txt, rate.txt, mo1.txt"_s << false;
    QTest::newRow("none") << QStringList{} << QString() << true;
}

void Faults::missingTables()
{
    QFETCH(QStringList, removed);
    QFETCH(QString, message);
    QFETCH(bool, canKey);
    Program p;
    for (const QString &name : removed)
        QVERIFY(QFile::remove(p.dir.filePath(name)));
    p.prompter.fallback = Prompter::Answer::Yes;  // an unknown postcode is confirmed
    EntryWindow *e = p.start();
    QVERIFY(e && e->isVisible());
    QCOMPARE(countStarting(p.prompter, u"อ่านแฟ้มตาราง"_s), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        // Then each file on a line of its own, with why it could not be read.
        for (const QString &name : removed)
            message += u'\n' + QDir::toNativeSeparators(p.dir.filePath(name)) + u" : ไม่พบแฟ้มนี้"_s;
        QCOMPARE(p.prompter.shown.first().text, message);
    }

    // Keying goes on with what there is; the tables are not read again, nor reported.
    p.addRecord(u"นายหนึ่ง"_s);
    QCOMPARE(p.session.batch.lines().count(), canKey ? 1 : 0);
    p.prompter.answer(Prompter::Answer::No);
    ui(p.main).Command1[7]->click();
    QVERIFY(p.main->isStartState());
    p.start();
    QCOMPARE(countStarting(p.prompter, u"อ่านแฟ้มตาราง"_s), message.isEmpty() ? 0 : 1);
}

void Faults::journalCannotBeWritten()
{
    Program p;
    QTemporaryDir other;
    p.session.paths.stateDir = underAFile(other);
    EntryWindow *e = p.start();
    QVERIFY(e);
    const QString off = u"ไม่สามารถเขียนแฟ้มกู้คืนข้อมูลได้"_s;
    QCOMPARE(countStarting(p.prompter, off), 1);
    p.addRecord(u"นายหนึ่ง"_s);
    p.addRecord(u"นายสอง"_s);
    QCoreApplication::processEvents();
    QCOMPARE(p.session.batch.lines().count(), 2);
    // A new batch tries again, silently: the user has been told once.
    p.prompter.answer({Prompter::Answer::Yes, Prompter::Answer::No});
    ui(p.main).Command1[1]->click();
    QVERIFY(p.session.batch.lines().isEmpty());
    p.addRecord(u"นายสาม"_s);
    p.st().saveAs(p.dir.filePath(u"b.txt"_s));
    QVERIFY(SaveDataFile(*p.main));
    QCOMPARE(countStarting(p.prompter, off), 1);
    QVERIFY(!p.main->recovery().journalWorking());
}

void Faults::journalTurnedOff()
{
    Program p;
    p.session.paths.stateDir.clear();
    p.start();
    p.addRecord(u"นายหนึ่ง"_s);
    QCoreApplication::processEvents();
    QVERIFY(p.prompter.shown.isEmpty());
    QVERIFY(p.session.paths.journalPath().isEmpty());
    QVERIFY(!QFile::exists(p.dir.filePath(u"recovery.journal"_s)));
}

// A save that cannot be written keeps the previous file, and the batch stays unsaved, so
// "ปิดโปรแกรม" asks again instead of dropping it.
void Faults::saveCannotBeWritten_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("folder is a file") << u"file"_s;
    QTest::newRow("locked folder") << u"locked"_s;
    QTest::newRow("full disk") << u"full"_s;
}

void Faults::saveCannotBeWritten()
{
    QFETCH(QString, how);
    Program p;
    QTemporaryDir target;
    QString path = target.filePath(u"batch.txt"_s);
    const QStringList previous = {u"101|10110|เดิม|ผู้ฝาก|500|คลองเตย|ที่อยู่|ที่อยู่ผู้ฝาก|"_s};
    std::unique_ptr<LockedFolder> locked;
    std::unique_ptr<SmallDisk> disk;
    if (how == u"file") {
        path = underAFile(target) + u"/batch.txt"_s;
    } else if (how == u"full") {
        disk = std::make_unique<SmallDisk>(target.path(), 64);
        if (!disk->ok)
            QSKIP("a small file system needs root and mount");
    }
    if (how != u"file") {
        QVERIFY(writeCp874(path, previous));
    }
    if (how == u"locked") {
        locked = std::make_unique<LockedFolder>(target.path());
        if (!locked->ok)
            QSKIP("the folder could not be locked here");
    } else if (how == u"full") {
        // Fill the disk to the last block.
        QFile filler(target.filePath(u"filler"_s));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    const QByteArray before = readBytes(path);

    p.start();
    for (int i = 0; i < 40; ++i)
        p.addRecord(u"ผู้รับคนที่ %1 ที่มีชื่อยาวพอให้แฟ้มเต็ม"_s.arg(i));
    p.st().rename(path);  // the batch belongs to that file
    p.prompter.clear();
    p.prompter.answer(Prompter::Answer::Yes);
    ui(p.main).Command1[7]->click();  // "ปิดโปรแกรม", Yes: save under its name
    QCOMPARE(p.prompter.texts().size(), 2);
    QCOMPARE(p.prompter.texts().first(), kAskSaveUnsaved);
    // The file and the cause follow the message.
    QCOMPARE(p.prompter.last().section(u'\n', 0, 0), kWriteError);
    const QString cause = p.prompter.last().section(u'\n', 1);
    QVERIFY(cause.startsWith(QDir::toNativeSeparators(path) + u" : เขียนแฟ้มไม่ได้"_s));
    // The cause in Thai, not the system's "Unknown error".
    if (how == u"full")
        QVERIFY2(cause.contains(u"เพราะดิสก์เต็ม (cannot write: No space left on device)"_s), qPrintable(cause));
    if (how == u"locked")
        QVERIFY2(cause.contains(u"เพราะไม่มีสิทธิ์เขียนในโฟลเดอร์นี้"_s), qPrintable(cause));
    QVERIFY(!p.main->isStartState());
    QVERIFY(!p.st().IsSaved());
    QCOMPARE(p.st().CurrentFilePath(), path);
    QCOMPARE(readBytes(path), before);
    QCOMPARE(p.session.batch.lines().count(), 40);

    // Still counted as unsaved: the next close asks again; a crash now would offer it back.
    QCoreApplication::processEvents();
    const auto left = RecoveryJournal::read(p.session.paths.journalPath());
    QVERIFY(left && !left->saved && left->lines.size() == 40);
    p.prompter.clear();
    p.prompter.answer(Prompter::Answer::No);
    ui(p.main).Command1[7]->click();
    QCOMPARE(p.prompter.texts(), QStringList{kAskSaveUnsaved});
    QVERIFY(p.main->isStartState());
}

void Faults::helpFileUnreadable_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("missing") << u"missing"_s;
    QTest::newRow("a folder in its place") << u"folder"_s;
    QTest::newRow("binary garbage") << u"garbage"_s;
}

void Faults::helpFileUnreadable()
{
    QFETCH(QString, how);
    Program p;
    const QString help = p.dir.filePath(u"helpcustomer.txt"_s);
    QFile::remove(help);
    if (how == u"folder")
        QVERIFY(QDir().mkpath(help));
    else if (how == u"garbage")
        QVERIFY(writeBytes(help, QByteArray(5000, '\xff') + QByteArray(3, '\0') + "\r\n\x81\x82"));
    p.start();
    ui(p.main).Command1[0]->click();  // "คำแนะนำ"
    QVERIFY(p.main->helpWindow() && p.main->helpWindow()->isVisible());
    QCOMPARE(ui(p.main->helpWindow()).Lblmissing->isVisibleTo(p.main->helpWindow()), how != u"garbage");
    QVERIFY(p.prompter.shown.isEmpty());
    p.main->helpWindow()->Cmdclose_Click();
    QVERIFY(p.entry()->isVisible());
}

// Where cusname.txt and the journal go when the program's folder or the home folder
// cannot be written.
void Faults::pathsFallBack_data()
{
    QTest::addColumn<bool>("lockApp");
    QTest::addColumn<bool>("homeWritable");
    QTest::addColumn<QString>("stateOverride");  // "-": not set

    QTest::newRow("all writable") << false << true << u"-"_s;
    QTest::newRow("read-only program folder") << true << true << u"-"_s;
    QTest::newRow("nothing writable") << true << false << u"-"_s;
    QTest::newRow("state folder chosen") << false << true << u"state"_s;
    QTest::newRow("recovery off") << false << true << QString(u""_s);
}

void Faults::pathsFallBack()
{
    QFETCH(bool, lockApp);
    QFETCH(bool, homeWritable);
    QFETCH(QString, stateOverride);
    QTemporaryDir app, home;
    QVERIFY(copyBundledTables(app.path()));
    const QString homeRoot = homeWritable ? home.path() : underAFile(home);
    qputenv("XDG_CONFIG_HOME", (homeRoot + u"/config"_s).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (homeRoot + u"/data"_s).toLocal8Bit());
    std::unique_ptr<LockedFolder> locked;
    if (lockApp) {
        locked = std::make_unique<LockedFolder>(app.path());
        if (!locked->ok)
            QSKIP("the folder could not be locked here");
    }
    const QString override = stateOverride == u"-"_s   ? QString()
                             : stateOverride.isEmpty() ? u""_s
                                                       : home.filePath(stateOverride);
    const AppPaths paths = AppPaths::detectFrom(app.path(), override);
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");

    QCOMPARE(paths.appDir, QDir(app.path()).absolutePath());
    if (lockApp)
        QVERIFY(paths.settingsDir.startsWith(homeRoot + u"/config"_s));
    else
        QCOMPARE(paths.settingsDir, paths.appDir);
    if (stateOverride == u"-")
        QVERIFY(paths.stateDir.startsWith(homeRoot + u"/data"_s));
    else if (stateOverride.isEmpty())
        QVERIFY(paths.journalPath().isEmpty());
    else
        QCOMPARE(paths.journalPath(), home.filePath(u"state/recovery.journal"_s));

    // The program runs on those paths: it starts a batch, keys and says what it cannot do.
    Program p;
    p.session.paths = paths;
    EntryWindow *e = p.start();
    QVERIFY(e && e->isVisible());
    p.addRecord(u"นายหนึ่ง"_s);
    QCOMPARE(p.session.batch.lines().count(), 1);
    // Only a journal that should be there and cannot be is reported; turned off is silent.
    const bool offMessage = !homeWritable && stateOverride == u"-";
    QCOMPARE(countStarting(p.prompter, u"ไม่สามารถเขียนแฟ้มกู้คืนข้อมูลได้"_s), offMessage ? 1 : 0);
    QCOMPARE(p.session.DefaultDepositorName, u"บริษัท ตัวอย่าง จำกัด"_s);
}

// The real program, from a read-only folder with no home to write in, starts and keeps
// running (its first window needs nothing written).
void Faults::programStartsWithNothingWritable()
{
    const QString bin = qEnvironmentVariable("VORLANE_BIN_DIR") + u"/vorlane"_s;
    QVERIFY(QFile::exists(bin));
    QTemporaryDir app, home;
    QVERIFY(copyBundledTables(app.path()));
    QVERIFY(QFile::copy(bin, app.filePath(u"vorlane"_s)));
    QFile::setPermissions(app.filePath(u"vorlane"_s),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    LockedFolder locked(app.path());
    if (!locked.ok)
        QSKIP("the folder could not be locked here");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString nowhere = underAFile(home);
    env.insert(u"HOME"_s, nowhere);
    env.insert(u"XDG_CONFIG_HOME"_s, nowhere);
    env.insert(u"XDG_DATA_HOME"_s, nowhere);
    env.insert(u"XDG_RUNTIME_DIR"_s, nowhere);
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(app.filePath(u"vorlane"_s), {});
    QVERIFY(child.waitForStarted());
    QVERIFY2(!child.waitForFinished(1500), child.readAllStandardError().constData());
    child.kill();
    child.waitForFinished();
}

QTEST_MAIN(Faults)
#include "test_faults.moc"
