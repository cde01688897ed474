#include "shell/fileflows.h"

#include "entry/entrywindow.h"
#include "filechooser/filechooser.h"
#include "filechooser/filename.h"
#include "importer/sheet.h"
#include "records/datafile.h"
#include "records/texthelpers.h"
#include "records/totals.h"
#include "shell/mainwindow.h"
#include "records/session.h"
#include "widgets/prompter.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

void acceptOpen(MainWindow &mw, FileChooser *chooser)
{
    // An imported spreadsheet is a new batch that nothing holds yet: it stays unsaved.
    const bool sheet = HoldsSheet(JoinChooserPath(chooser->directory(), trimWhiteSpace(chooser->name()).toString()));
    if (OpenDataFile(mw))
        mw.setCommandButtonsVisible(true);
    if (!sheet)
        mw.batch().markSaved();
}

void acceptSave(MainWindow &mw, FileChooser *chooser)
{
    if (!SaveDataFile(mw)) {
        // Nothing was written: the chooser stays, so another folder or name can be tried.
        chooser->takeFocus();
        return;
    }
    EntryWindow *entry = mw.ensureEntry();
    entry->setCaption(mw.batch().CurrentFilePath());
    mw.backToEntry(MainWindow::Return::AsItWas);
    // The next use starts afresh in the working directory.
    if (mw.chooser() == chooser)
        mw.setChooser(nullptr);
    chooser->hide();
    chooser->deleteLater();
}

void connectChooser(MainWindow &mw, FileChooser *chooser)
{
    QObject::connect(chooser, &FileChooser::openChosen, chooser, [&mw, chooser] { acceptOpen(mw, chooser); });
    QObject::connect(chooser, &FileChooser::saveChosen, chooser, [&mw, chooser] { acceptSave(mw, chooser); });
    QObject::connect(chooser, &FileChooser::cancelled, chooser, [&mw] { mw.backToEntry(); });
}

FileChooser *ensureChooser(MainWindow &mw)
{
    if (!mw.chooser()) {
        mw.setChooser(new FileChooser(mw.session(), mw.prompter(), mw.workArea()));
        mw.chooser()->hide();
        connectChooser(mw, mw.chooser());
    }
    return mw.chooser();
}

void showChooser(MainWindow &mw, FileChooser *chooser) { mw.showWorkWindow(chooser); }

void setUpSave(MainWindow &mw)
{
    FileChooser *chooser = ensureChooser(mw);
    chooser->setMode(FileChooser::Mode::Save);
    showChooser(mw, chooser);
}

// Before a save replaces the file the batch came from: was it changed by another program,
// and would lines that are not records be lost? The user decides.
bool mayReplaceKnownFile(MainWindow &mw)
{
    const Batch &b = mw.batch();
    if (b.KnownFilePath().isEmpty() || QFileInfo(b.SaveTargetPath()) != QFileInfo(b.KnownFilePath()))
        return true;
    if (!StillUnchanged(b.SaveTargetPath(), b.KnownFileStamp(), kMaxDataFileBytes))
        return mw.prompter().yesNo(u"แฟ้มข้อมูลนี้ถูกโปรแกรมอื่นแก้ไขหลังจากเปิด ต้องการบันทึกทับหรือไม่"_s) == Prompter::Answer::Yes;
    if (b.KnownFileSkipped() > 0)
        return mw.prompter().yesNo(
                   u"บรรทัดที่ไม่ใช่รายการธนาณัติ %1 บรรทัดในแฟ้มนี้จะหายไป ต้องการบันทึกทับหรือไม่"_s.arg(b.KnownFileSkipped()))
               == Prompter::Answer::Yes;
    return true;
}

}  // namespace

void BeginOpen(MainWindow &mw)
{
    FileChooser *chooser = ensureChooser(mw);
    chooser->setMode(FileChooser::Mode::Open);
    chooser->setName({});
    showChooser(mw, chooser);
}

void BeginSaveAs(MainWindow &mw)
{
    ensureChooser(mw)->setName(u"Noname.txt"_s);
    setUpSave(mw);
}

void BeginSave(MainWindow &mw)
{
    const Prompter::Answer a = mw.prompter().yesNoCancel(u"ต้องการเปลี่ยนชื่อหรือบันทึกข้อมูลเป็นไฟล์ใหม่หรือไม่"_s);
    if (a == Prompter::Answer::Yes) {
        // The batch still counts as unsaved until the chooser has written it: cancelling
        // the chooser must not let a later close discard it without a question.
        setUpSave(mw);
        return;
    }
    if (a == Prompter::Answer::No) {
        if (mw.batch().lines().isEmpty()) {
            mw.prompter().ok(u"ไม่มีข้อมูล"_s);
            return;
        }
        mw.batch().saveAs(mw.batch().CurrentFilePath());
        if (SaveDataFile(mw) && mw.entryWindow())
            mw.entryWindow()->setCaption(mw.batch().CurrentFilePath());
        return;
    }
    mw.backToEntry(MainWindow::Return::AsItWas);
}

namespace {

// The batch becomes these lines, named `path`; record 1 on screen. A batch read from its
// file (with its stamp) counts as saved; an imported one is not saved until the user
// saves it.
void showBatch(MainWindow &mw, LineBlock lines, const QString &path, const FileStamp *stamp, qsizetype skipped = 0)
{
    FileChooser *chooser = ensureChooser(mw);
    EntryWindow *entry = mw.ensureEntry();
    Batch &batch = mw.batch();
    batch.open(std::move(lines), path, stamp, skipped);
    chooser->hide();
    entry->setCaption(mw.session().EntryBaseCaption + u"   "_s + batch.CurrentFilePath());
    entry->showCurrentRecord(EntryWindow::FocusOn::FirstField);
    entry->enableRecordButtons();  // an empty file too: the clerk may add to it at once
}

// Such amounts are left out of the totals; the user must know which record to correct.
void warnBeyond(MainWindow &mw)
{
    const BatchTotals totals = ComputeTotals(mw.batch().lines(), mw.session().tables.rates);
    if (totals.beyond > 0)
        mw.prompter().ok(u"จำนวนเงินมากเกินกว่าที่โปรแกรมคำนวณได้ %1 รายการ เริ่มที่รายการที่ %2"_s.arg(
            QString::number(totals.beyond), QString::number(totals.firstBeyond + 1)));
}

// Orders from a spreadsheet: a new unsaved batch named after it, refused rows listed first.
bool openSheet(MainWindow &mw, const QString &path)
{
    FileChooser *chooser = ensureChooser(mw);
    const Sheet sheet = ReadSheetFile(path);
    ImportResult result;
    if (sheet.ok())
        result = ImportSheet(sheet, {{mw.session().DefaultDepositorName, mw.session().DefaultDepositorAddress}},
                             mw.session().tables);
    if (!sheet.ok() || !result.ok()) {
        mw.prompter().ok(sheet.ok() ? result.error : sheet.error);
        chooser->takeFocus();
        return false;
    }
    const bool accept = result.hasUnknownPostcodes()
                        && mw.prompter().yesNo(unknownPostcodeQuestion(result)) == Prompter::Answer::Yes;
    const QList<Refusal> refused = result.refusals(accept);
    const QString target = batchPathFor(path);
    if (!refused.isEmpty()) {
        const QString listPath = QFileInfo(target).dir().filePath(QFileInfo(target).completeBaseName()
                                                                  + u"-ไม่ได้นำเข้า.txt"_s);
        QList<QStringList> rows;
        rows.reserve(refused.size());
        for (const Refusal &r : refused)
            rows.append({QString::number(r.row), r.column, r.message});
        mw.prompter().rowList(u"แถวที่ไม่ได้นำเข้า"_s, u"แถวที่ไม่ได้นำเข้า "_s + QString::number(refused.size()) + u" แถว"_s,
                              {u"แถว"_s, u"คอลัมน์"_s, u"ข้อความ"_s}, rows, [&] {
                                  // TAB-separated in code page 874, as the command line prints it.
                                  const QString shown = QDir::toNativeSeparators(listPath);
                                  const WriteResult w = WriteDataFile(listPath, refusalLines(refused));
                                  if (w.ok())
                                      mw.prompter().ok(shown + u"   บันทึกแล้ว"_s);
                                  else
                                      mw.prompter().ok(u"บันทึกแฟ้มไม่ได้ : "_s + shown + u'\n' + FailureCause(w.file));
                              });
    }
    // Nothing is on disk for the imported batch yet: no earlier file to guard.
    showBatch(mw, MakeLineBlock(result.lines(accept)), target, nullptr);
    warnBeyond(mw);
    return true;
}

}  // namespace

bool OpenDataFile(MainWindow &mw)
{
    FileChooser *chooser = ensureChooser(mw);
    const QString refusal = OpenNameRefusal(chooser->name());
    if (!refusal.isEmpty()) {
        mw.prompter().ok(refusal);
        chooser->takeFocus();
        return false;
    }
    const QString name = trimWhiteSpace(chooser->name()).toString();
    const QString path = JoinChooserPath(chooser->directory(), name);
    if (HoldsSheet(path))
        return openSheet(mw, path);
    // Read first: a file that cannot be read leaves the batch, its name and the
    // totals as they were.
    // The figures for the totals are worked out as the lines are found.
    ReadResult read = ReadDataFile(path, LineForm::Block, &mw.session().tables.rates);
    if (!read.ok()) {
        mw.prompter().ok(u"ไม่มี แฟ้มข้อมูลนี้\n"_s + FailureLine(read.file));
        chooser->takeFocus();
        return false;
    }

    showBatch(mw, std::move(read.block), path, &read.stamp, read.skippedText);
    // A notes file opened by mistake must not look like an empty batch without a word.
    if (read.skippedText > 0)
        mw.prompter().ok(u"ข้ามบรรทัดที่ไม่ใช่รายการธนาณัติ %1 บรรทัด"_s.arg(read.skippedText));
    warnBeyond(mw);
    return true;
}

bool SaveDataFile(MainWindow &mw)
{
    Batch &batch = mw.batch();
    if (trimWhiteSpace(batch.SaveTargetPath()).isEmpty()) {
        mw.prompter().ok(u"ไม่มีชื่อแฟ้มข้อมูลที่ต้องการบันทึก"_s);
        return false;
    }
    if (batch.lines().isEmpty()) {
        mw.prompter().ok(u"ไม่มีข้อมูลที่จะบันทึก"_s);
        return false;
    }
    // The running program's own tables, help text and depositor file are never a batch's.
    if (const QString own = mw.session().paths.programFileAt(batch.SaveTargetPath()); !own.isEmpty()) {
        mw.prompter().ok(u"บันทึกทับแฟ้ม "_s + own + u" ของโปรแกรมไม่ได้ กรุณาใช้ชื่ออื่นหรือเลือกโฟลเดอร์อื่น"_s);
        return false;
    }
    if (!mayReplaceKnownFile(mw))
        return false;
    const WriteResult written = WriteDataFile(batch.SaveTargetPath(), batch.lines().lines());
    if (!written.ok()) {
        mw.prompter().ok(u"error writing to disk or  writing to protected disk  \n"_s + FailureLine(written.file));
        return false;
    }
    // The batch is now exactly the saved file: the journal starts afresh from it, by
    // reference, so it stays small and knows the file as saved.
    batch.saved(written.stamp);
    mw.prompter().ok(batch.CurrentFilePath() + u"   บันทึกแล้ว"_s);
    return true;
}

void NewDataFile(MainWindow &mw)
{
    EntryWindow *entry = mw.ensureEntry();
    // The journal starts afresh from the empty batch.
    mw.batch().newBatch(mw.session().paths.nonamePath());
    entry->RefreshTotals();
    entry->AddAction();
    entry->setCaption(mw.session().EntryBaseCaption + u"      "_s + mw.batch().CurrentFilePath());
}

}  // namespace vorlane
