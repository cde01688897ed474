// The questions about unsaved data, row by row, through the command bar's buttons.
#include "chooserfixture.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

namespace {
using A = Prompter::Answer;
const QString kCreateNew = u"ต้องการสร้างแฟ้มข้อมูลใหม่หรือไม่"_s;
const QString kSaveEdited = u"มีการแก้ไขข้อมูลต้องการบันทึกหรือไม่"_s;
const QString kSaveExisting = u"มีข้อมูลอยู่ต้องการบันทึกหรือไม่"_s;
const QString kSaveUnsaved = u"ข้อมูลยังไม่ได้บันทึก ต้องการบันทึกหรือไม่"_s;
const QString kRename = u"ต้องการเปลี่ยนชื่อหรือบันทึกข้อมูลเป็นไฟล์ใหม่หรือไม่"_s;
const QString kSaved = u"@saved"_s;  // stands for "<path>   บันทึกแล้ว"

enum class Outcome {
    NewBatch,      // an empty unnamed batch
    Unchanged,     // the batch on screen, nothing written
    SaveChooser,   // the chooser in save mode
    OpenChooser,   // the chooser in open mode
    SavedInPlace,  // written to its own file, batch kept
    StartState,    // back to "เปิดโปรแกรม"
    SavedAndStart,
};
}  // namespace

Q_DECLARE_METATYPE(Outcome)

class TestUnsaved : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rows_data();
    void rows();
    void saveWithEmptyBatch();
    void noQuestionAfterOpeningUntilAChange();
};

void TestUnsaved::rows_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<bool>("savedAfter");
    const int New = 1, Open = 2, Close = 7;
    using O = Outcome;

    QTest::newRow("new, saved") << New << true << true << QList<A>{} << QStringList{} << O::NewBatch << true;
    QTest::newRow("new, unsaved, no") << New << true << false << QList<A>{A::No} << QStringList{kCreateNew}
                                      << O::Unchanged << false;
    QTest::newRow("new, named, yes, yes") << New << true << false << QList<A>{A::Yes, A::Yes, A::Yes}
                                          << QStringList{kCreateNew, kSaveEdited, kRename} << O::SaveChooser << false;
    QTest::newRow("new, named, yes, yes, same name")
        << New << true << false << QList<A>{A::Yes, A::Yes, A::No}
        << QStringList{kCreateNew, kSaveEdited, kRename, kSaved} << O::SavedInPlace << true;
    QTest::newRow("new, named, yes, no") << New << true << false << QList<A>{A::Yes, A::No}
                                         << QStringList{kCreateNew, kSaveEdited} << O::NewBatch << true;
    QTest::newRow("new, unnamed, yes, yes") << New << false << false << QList<A>{A::Yes, A::Yes}
                                            << QStringList{kCreateNew, kSaveExisting} << O::SaveChooser << false;
    QTest::newRow("new, unnamed, yes, no") << New << false << false << QList<A>{A::Yes, A::No}
                                           << QStringList{kCreateNew, kSaveExisting} << O::NewBatch << true;

    QTest::newRow("open, saved") << Open << true << true << QList<A>{} << QStringList{} << O::OpenChooser << true;
    QTest::newRow("open, named, yes") << Open << true << false << QList<A>{A::Yes} << QStringList{kSaveUnsaved, kSaved}
                                      << O::SavedInPlace << true;
    QTest::newRow("open, unnamed, yes") << Open << false << false << QList<A>{A::Yes} << QStringList{kSaveUnsaved}
                                        << O::SaveChooser << false;
    QTest::newRow("open, unsaved, no") << Open << true << false << QList<A>{A::No} << QStringList{kSaveUnsaved}
                                       << O::OpenChooser << true;

    QTest::newRow("close, saved") << Close << true << true << QList<A>{} << QStringList{} << O::StartState << true;
    QTest::newRow("close, named, yes") << Close << true << false << QList<A>{A::Yes}
                                       << QStringList{kSaveUnsaved, kSaved} << O::SavedAndStart << true;
    QTest::newRow("close, unnamed, yes") << Close << false << false << QList<A>{A::Yes} << QStringList{kSaveUnsaved}
                                         << O::SaveChooser << false;
    QTest::newRow("close, unsaved, no") << Close << false << false << QList<A>{A::No} << QStringList{kSaveUnsaved}
                                        << O::StartState << true;
}

void TestUnsaved::rows()
{
    QFETCH(int, button);
    QFETCH(bool, named);
    QFETCH(bool, saved);
    QFETCH(QList<A>, answers);
    QFETCH(QStringList, questions);
    QFETCH(Outcome, outcome);
    QFETCH(bool, savedAfter);

    ChooserProgram p;
    p.start();
    p.keyRecords(2);
    const QString file = QDir::toNativeSeparators(p.filePath(u"named.txt"_s));
    if (named) {
        p.st().saveAs(file);
        QVERIFY(SaveDataFile(*p.main));
    }
    if (!saved)
        p.keyRecords(1);
    QCOMPARE(p.st().IsSaved(), saved);
    const QStringList batch = p.lines();
    const QString path = p.st().CurrentFilePath();
    p.prompter.clear();
    for (A a : answers)
        p.prompter.answer(a);

    ui(p.main).Command1[button]->click();

    QStringList expected = questions;
    for (QString &q : expected)
        if (q == kSaved)
            q = file + u"   บันทึกแล้ว"_s;
    QCOMPARE(p.prompter.texts(), expected);
    QCOMPARE(p.prompter.unanswered, 0);
    QCOMPARE(p.st().IsSaved(), savedAfter);

    FileChooser *c = p.chooser();
    const bool chooserShown = c && c->isVisible();
    switch (outcome) {
    case Outcome::NewBatch:
        QVERIFY(p.lines().isEmpty());
        QVERIFY(p.st().isUnnamed());
        QVERIFY(p.entry()->isVisible());
        QVERIFY(!chooserShown);
        break;
    case Outcome::Unchanged:
        QCOMPARE(p.lines(), batch);
        QCOMPARE(p.st().CurrentFilePath(), path);
        QVERIFY(!chooserShown);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui(p.entry()).Combo1[2]));
        break;
    case Outcome::SaveChooser:
        QVERIFY(chooserShown);
        QVERIFY(p.saveMode());
        QCOMPARE(p.lines(), batch);
        QVERIFY(!p.entry()->isVisible());
        QVERIFY(!p.commandBarShown());
        break;
    case Outcome::OpenChooser:
        QVERIFY(chooserShown);
        QVERIFY(!p.saveMode());
        QCOMPARE(ui(c).Text1->text(), QString());
        QCOMPARE(p.lines(), batch);
        break;
    case Outcome::SavedInPlace:
        QCOMPARE(readBytes(file), expectedBytes(batch));
        QCOMPARE(p.lines(), batch);
        QVERIFY(!chooserShown);
        break;
    case Outcome::StartState:
    case Outcome::SavedAndStart:
        QVERIFY(p.main->isStartState());
        QVERIFY(p.lines().isEmpty());
        QVERIFY(!p.entry()->isVisible());
        if (outcome == Outcome::SavedAndStart)
            QCOMPARE(readBytes(file), expectedBytes(batch));
        break;
    }
}

void TestUnsaved::saveWithEmptyBatch()
{
    ChooserProgram p;
    p.start();
    ui(p.main).Command1[3]->click();
    QCOMPARE(p.prompter.texts(), QStringList{u"ไม่มีข้อมูลที่จะบันทึก"_s});
    QVERIFY(p.chooser() == nullptr);
}

void TestUnsaved::noQuestionAfterOpeningUntilAChange()
{
    ChooserProgram p;
    p.start();
    QVERIFY(writeCp874(p.filePath(u"in.txt"_s), {u"101|10100|ก|ข|100|ป้อมปราบศัตรูพ่าย|ค|ง|"_s}));
    ui(p.main).Command1[2]->click();
    p.chooser()->setDirectory(p.files.path());
    ui(p.chooser()).Text1->setText(u"in.txt"_s);
    ui(p.chooser()).Comopen->click();
    QCOMPARE(p.lines().size(), 1);
    p.prompter.clear();
    // A delete started and declined still counts as a change.
    p.prompter.answer(A::No);
    p.entry()->DeleteAction();
    p.prompter.clear();
    p.prompter.answer(A::No);
    ui(p.main).Command1[7]->click();
    QCOMPARE(p.prompter.texts(), QStringList{kSaveUnsaved});
}

QTEST_MAIN(TestUnsaved)
#include "test_unsaved.moc"
