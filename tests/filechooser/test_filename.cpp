#include "filechooser/filename.h"
#include "choosertexts.h"

#include <QTest>

using namespace vorlane;
using namespace vorlane::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(vorlane::SaveNameProblem)

class TestFileName : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checkFileName_data();
    void checkFileName();
    void saveNameOnAccept_data();
    void saveNameOnAccept();
    void saveNameOnEnter_data();
    void saveNameOnEnter();
    void saveNameOutcome_data();
    void saveNameOutcome();
    void joinPath_data();
    void joinPath();
    void openNameRefusal_data();
    void openNameRefusal();
};

void TestFileName::checkFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ok");
    QTest::newRow("one dot") << u"a.b"_s << true;
    QTest::newRow("no dot") << u"report"_s << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("two dots together") << u"a..b"_s << false;
    QTest::newRow("dots at both ends") << u".a."_s << false;
    QTest::newRow("two extensions") << u"a.b.txt"_s << false;
}

void TestFileName::checkFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, ok);
    QCOMPARE(CheckFileName(name), ok);
}

void TestFileName::saveNameOnAccept_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<SaveNameProblem>("problem");
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<QString>("file");
    using P = SaveNameProblem;
    QTest::newRow("extension added") << u"report"_s << P::None << u"report.txt"_s << u"report.txt"_s;
    QTest::newRow("upper case kept") << u"REPORT.TXT"_s << P::None << u"REPORT.TXT"_s << u"REPORT.TXT"_s;
    QTest::newRow("upper-case extension") << u"a.TXT"_s << P::None << u"a.TXT"_s << u"a.TXT"_s;
    QTest::newRow("Thai name") << u"รายการ"_s << P::None << u"รายการ.txt"_s << u"รายการ.txt"_s;
    QTest::newRow("blanks around") << u"  report  "_s << P::None << u"  report  .txt"_s << u"report.txt"_s;
    QTest::newRow("two dots") << u"a.b.txt"_s << P::TooManyDots << u"a.b.txt"_s << QString();
    QTest::newRow("four-letter extension") << u"a.text"_s << P::ExtensionLength << u"a.text"_s << QString();
    QTest::newRow("nothing after the dot") << u"a."_s << P::ExtensionLength << u"a."_s << QString();
    QTest::newRow("other extension") << u"a.doc"_s << P::NotText << u"a.doc"_s << QString();
    QTest::newRow("working name, bare") << u"noname"_s << P::Reserved << u"noname.txt"_s << QString();
    QTest::newRow("working name, upper") << u"NONAME.TXT"_s << P::Reserved << u"NONAME.TXT"_s << QString();
    QTest::newRow("working name") << u"Noname.txt"_s << P::Reserved << u"Noname.txt"_s << QString();
    QTest::newRow("empty") << QString() << P::Empty << QString() << QString();
    QTest::newRow("blanks only") << u"   "_s << P::Empty << u"   "_s << QString();
    QTest::newRow("extension alone") << u"   .txt"_s << P::Empty << u"   .txt"_s << u".txt"_s;
}

void TestFileName::saveNameOnAccept()
{
    QFETCH(QString, box);
    QFETCH(SaveNameProblem, problem);
    QFETCH(QString, boxAfter);
    QFETCH(QString, file);
    const SaveNameCheck r = CheckSaveName(box, false);
    QCOMPARE(r.problem, problem);
    QCOMPARE(r.boxText, boxAfter);
    if (problem == SaveNameProblem::None)
        QCOMPARE(r.fileName, file);
}

void TestFileName::saveNameOnEnter_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<SaveNameProblem>("problem");
    QTest::addColumn<QString>("boxAfter");
    using P = SaveNameProblem;
    // Enter takes the box as it stands: blanks count as a name, and a blank after the
    // extension makes it four characters long.
    QTest::newRow("blanks only get the extension") << u"   "_s << P::None << u"   .txt"_s;
    QTest::newRow("empty") << QString() << P::Empty << QString();
    QTest::newRow("blank after the extension") << u"a.txt "_s << P::ExtensionLength << u"a.txt "_s;
    QTest::newRow("plain name") << u"report"_s << P::None << u"report.txt"_s;
    QTest::newRow("working name") << u"noname"_s << P::Reserved << u"noname.txt"_s;
    QTest::newRow("two dots") << u"a.b.txt"_s << P::TooManyDots << u"a.b.txt"_s;
}

void TestFileName::saveNameOnEnter()
{
    QFETCH(QString, box);
    QFETCH(SaveNameProblem, problem);
    QFETCH(QString, boxAfter);
    const SaveNameCheck r = CheckSaveName(box, true);
    QCOMPARE(r.problem, problem);
    QCOMPARE(r.boxText, boxAfter);
}

// The message and the name box after accept ("Open" in save mode) and after Enter.
void TestFileName::saveNameOutcome_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("onEnter");
    QTest::addColumn<QString>("message");  // empty: the name passed
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<QString>("written");
    QTest::newRow("accept: upper case kept")
        << u"REPORT.TXT"_s << false << QString() << u"REPORT.TXT"_s << u"REPORT.TXT"_s;
    QTest::newRow("accept: upper-case extension") << u"a.TXT"_s << false << QString() << u"a.TXT"_s << u"a.TXT"_s;
    QTest::newRow("accept: four-letter extension") << u"a.text"_s << false << kLength << QString() << QString();
    QTest::newRow("accept: nothing after the dot") << u"a."_s << false << kLength << QString() << QString();
    QTest::newRow("accept: not a text file") << u"a.doc"_s << false << kNotText << QString() << QString();
    QTest::newRow("accept: working name upper")
        << u"NONAME.TXT"_s << false << kReserved << u"NONAME.TXT"_s << QString();
    QTest::newRow("accept: working name") << u"Noname.txt"_s << false << kReserved << u"Noname.txt"_s << QString();
    QTest::newRow("accept: blanks only") << u"   "_s << false << kEmptyName << u"   "_s << QString();
    QTest::newRow("accept: empty") << QString() << false << kEmptyName << QString() << QString();
    // A refused name stays in the box on Enter.
    QTest::newRow("enter: blanks only") << u"   "_s << true << QString() << u"   .txt"_s << u".txt"_s;
    QTest::newRow("enter: length") << u"a.text"_s << true << kLength << u"a.text"_s << QString();
    QTest::newRow("enter: not text") << u"a.doc"_s << true << kNotText << u"a.doc"_s << QString();
}

void TestFileName::saveNameOutcome()
{
    QFETCH(QString, typed);
    QFETCH(bool, onEnter);
    QFETCH(QString, message);
    QFETCH(QString, boxAfter);
    QFETCH(QString, written);
    const SaveNameStep step = SaveNameOutcome(typed, onEnter);
    QCOMPARE(step.message, message);
    QCOMPARE(step.passed, message.isEmpty());
    QCOMPARE(step.boxText, boxAfter);
    if (step.passed)
        QCOMPARE(step.fileName, written);
}

void TestFileName::joinPath_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("root") << u"/"_s << u"a.txt"_s << QDir::toNativeSeparators(u"/a.txt"_s);
    QTest::newRow("folder") << u"/home/user"_s << u"a.txt"_s << QDir::toNativeSeparators(u"/home/user/a.txt"_s);
    QTest::newRow("short folder") << u"/ab"_s << u"a.txt"_s << QDir::toNativeSeparators(u"/ab/a.txt"_s);
    QTest::newRow("folder ending in a separator")
        << u"/tmp/"_s << u"a.txt"_s << QDir::toNativeSeparators(u"/tmp/a.txt"_s);
    QTest::newRow("drive root") << u"C:\\"_s << u"a.txt"_s << QDir::toNativeSeparators(u"C:\\a.txt"_s);
}

void TestFileName::joinPath()
{
    QFETCH(QString, dir);
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(JoinChooserPath(dir, name), path);
}

void TestFileName::openNameRefusal_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("message");
    const QString noName = u"กรุณาใส่ชื่อไฟล์"_s;
    QTest::newRow("empty") << QString() << noName;
    QTest::newRow("white space") << u" \t "_s << noName;
    QTest::newRow("a name") << u"a.txt"_s << QString();
}

void TestFileName::openNameRefusal()
{
    QFETCH(QString, box);
    QFETCH(QString, message);
    QCOMPARE(OpenNameRefusal(box), message);
}

QTEST_APPLESS_MAIN(TestFileName)
#include "test_filename.moc"
