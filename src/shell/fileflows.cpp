#include "shell/fileflows.h"

#include "entry/entrywindow.h"
#include "filechooser/filechooser.h"
#include "filechooser/filename.h"
#include "importer/sheet.h"
#include "records/datafile.h"
#include "records/totals.h"
#include "shell/mainwindow.h"
#include "shell/workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

void acceptOpen(Workspace &ws, FileChooser *chooser)
{
    // An imported spreadsheet is a new batch that nothing holds yet: it stays unsaved.
    const bool sheet = isSheetPath(chooser->name().trimmed());
    if (OpenDataFile(ws))
        ws.setCommandButtonsVisible(true);
    if (!sheet)
        ws.state.IsSaved = true;
}

void acceptSave(Workspace &ws, FileChooser *chooser)
{
    SessionState &st = ws.state;
    if (!SaveDataFile(ws)) {
        // Nothing was written: the chooser stays, so another folder or name can be tried.
        chooser->Text1->setFocus();
        return;
    }
    EntryWindow *entry = ws.ensureEntry();
    entry->setCaption(st.CurrentFilePath);
    st.ChooserMode = false;
    ws.main->backToEntry(MainWindow::Return::AsItWas);
    // The next use starts afresh in the working directory.
    if (ws.chooser == chooser)
        ws.chooser = nullptr;
    chooser->hide();
    chooser->deleteLater();
}

void connectChooser(Workspace &ws, FileChooser *chooser)
{
    QObject::connect(chooser, &FileChooser::openChosen, chooser, [&ws, chooser] { acceptOpen(ws, chooser); });
    QObject::connect(chooser, &FileChooser::saveChosen, chooser, [&ws, chooser] { acceptSave(ws, chooser); });
    QObject::connect(chooser, &FileChooser::cancelled, chooser, [&ws] { ws.main->backToEntry(); });
}

FileChooser *ensureChooser(Workspace &ws)
{
    if (!ws.chooser) {
        ws.chooser = new FileChooser(ws.session, ws.prompter, ws.workArea());
        ws.chooser->hide();
        connectChooser(ws, ws.chooser);
    }
    return ws.chooser;
}

void showChooser(Workspace &ws, FileChooser *chooser)
{
    ws.main->showWorkWindow(chooser);
}

void setUpSave(Workspace &ws)
{
    FileChooser *chooser = ensureChooser(ws);
    chooser->setMode(FileChooser::Mode::Save);
    ws.state.ChooserMode = true;
    showChooser(ws, chooser);
    chooser->Text1->setFocus();
}

void forgetKnownFile(SessionState &st)
{
    st.KnownFilePath.clear();
    st.KnownFileStamp = {};
    st.KnownFileSkipped = 0;
}

// Before a save replaces the file the batch came from: was it changed by another program,
// and would lines that are not records be lost? The user decides.
bool mayReplaceKnownFile(Workspace &ws)
{
    const SessionState &st = ws.state;
    if (st.KnownFilePath.isEmpty() || QFileInfo(st.SaveTargetPath) != QFileInfo(st.KnownFilePath))
        return true;
    if (!StillUnchanged(st.SaveTargetPath, st.KnownFileStamp, kMaxDataFileBytes))
        return ws.prompter.yesNo(u"แฟ้มข้อมูลนี้ถูกโปรแกรมอื่นแก้ไขหลังจากเปิด ต้องการบันทึกทับหรือไม่"_s)
               == Prompter::Answer::Yes;
    if (st.KnownFileSkipped > 0)
        return ws.prompter.yesNo(
                   u"บรรทัดที่ไม่ใช่รายการธนาณัติ %1 บรรทัดในแฟ้มนี้จะหายไป ต้องการบันทึกทับหรือไม่"_s.arg(
                       st.KnownFileSkipped))
               == Prompter::Answer::Yes;
    return true;
}

} // namespace

void BeginOpen(Workspace &ws)
{
    FileChooser *chooser = ensureChooser(ws);
    chooser->setMode(FileChooser::Mode::Open);
    chooser->setName({});
    ws.state.ChooserMode = false;
    showChooser(ws, chooser);
    chooser->Text1->setFocus();
}

void BeginSaveAs(Workspace &ws)
{
    ensureChooser(ws)->setName(u"Noname.txt"_s);
    setUpSave(ws);
}

void BeginSave(Workspace &ws)
{
    const Prompter::Answer a = ws.prompter.yesNoCancel(u"ต้องการเปลี่ยนชื่อหรือบันทึกข้อมูลเป็นไฟล์ใหม่หรือไม่"_s);
    if (a == Prompter::Answer::Yes) {
        // The batch still counts as unsaved until the chooser has written it: cancelling
        // the chooser must not let a later close discard it without a question.
        setUpSave(ws);
        return;
    }
    if (a == Prompter::Answer::No) {
        if (ws.session.lstMO.isEmpty()) {
            ws.prompter.ok(u"ไม่มีข้อมูล"_s);
            return;
        }
        ws.state.SaveTargetPath = ws.state.CurrentFilePath;
        if (SaveDataFile(ws) && ws.entry)
            ws.entry->setCaption(ws.state.CurrentFilePath);
        return;
    }
    ws.main->backToEntry(MainWindow::Return::AsItWas);
}

namespace {

// The batch becomes these lines, named `path`; record 1 on screen.
void showBatch(Workspace &ws, QStringList lines, const QString &path, bool saved, const FileStamp *stamp)
{
    SessionState &st = ws.state;
    FileChooser *chooser = ensureChooser(ws);
    EntryWindow *entry = ws.ensureEntry();
    st.CurrentFilePath = path;
    entry->AbandonInsertion();
    // The journal starts afresh from the opened file just below, by reference: the user
    // never waits for a copy of a large batch.
    ws.session.lstMO.setObserver(nullptr);
    ws.session.lstMO.assign(std::move(lines));
    // A batch opened from its file counts as saved (the chooser marks it so next); an
    // imported one is not saved until the user saves it, and is journalled in full.
    st.IsSaved = saved;
    ws.beginJournal(stamp);
    st.CurrentIndex = 0;
    if (ws.session.lstMO.isEmpty()) {
        entry->LoadLineIntoEntryFields(QString());
        entry->setField(DepositorName, st.DefaultDepositorName);
        entry->setField(DepositorAddress, st.DefaultDepositorAddress);
    } else {
        entry->LoadLineIntoEntryFields(ws.session.lstMO.at(0));
        entry->setCounterText(u"1/%1"_s.arg(ws.session.lstMO.count()));
    }
    entry->RefreshTotals();
    entry->enableRecordButtons();
    entry->show();
    chooser->hide();
    st.IsAdding = false;
    entry->setCaption(st.EntryBaseCaption + u"   "_s + st.CurrentFilePath);
}

// Such amounts are left out of the totals; the user must know which record to correct.
void warnBeyond(Workspace &ws)
{
    const BatchTotals totals = ComputeTotals(ws.session.lstMO, ws.session.tables.rates);
    if (totals.beyond > 0)
        ws.prompter.ok(u"จำนวนเงินมากเกินกว่าที่โปรแกรมคำนวณได้ %1 รายการ เริ่มที่รายการที่ %2"_s.arg(
            QString::number(totals.beyond), QString::number(totals.firstBeyond + 1)));
}

// Orders from a spreadsheet: a new unsaved batch named after it, refused rows listed first.
bool openSheet(Workspace &ws, const QString &path)
{
    FileChooser *chooser = ensureChooser(ws);
    SessionState &st = ws.state;
    const Sheet sheet = ReadSheetFile(path);
    ImportResult result;
    if (sheet.ok())
        result = ImportSheet(sheet, {{st.DefaultDepositorName, st.DefaultDepositorAddress}}, ws.session.tables);
    if (!sheet.ok() || !result.ok()) {
        ws.prompter.ok(sheet.ok() ? result.error : sheet.error);
        chooser->Text1->setFocus();
        return false;
    }
    const bool accept = result.hasUnknownPostcodes()
                        && ws.prompter.yesNo(unknownPostcodeQuestion(result)) == Prompter::Answer::Yes;
    const QList<Refusal> refused = result.refusals(accept);
    const QString target = batchPathFor(path);
    if (!refused.isEmpty()) {
        const QString listPath = QFileInfo(target).dir().filePath(QFileInfo(target).completeBaseName() + u"-ไม่ได้นำเข้า.txt"_s);
        QList<QStringList> rows;
        rows.reserve(refused.size());
        for (const Refusal &r : refused)
            rows.append({QString::number(r.row), r.column, r.message});
        ws.prompter.rowList(u"แถวที่ไม่ได้นำเข้า"_s,
                            u"แถวที่ไม่ได้นำเข้า "_s + QString::number(refused.size()) + u" แถว"_s,
                            {u"แถว"_s, u"คอลัมน์"_s, u"ข้อความ"_s}, rows, [&] {
                                // TAB-separated in code page 874, as the command line prints it.
                                const QString shown = QDir::toNativeSeparators(listPath);
                                if (WriteDataFile(listPath, refusalLines(refused)).ok())
                                    ws.prompter.ok(shown + u"   บันทึกแล้ว"_s);
                                else
                                    ws.prompter.ok(u"บันทึกแฟ้มไม่ได้ : "_s + shown);
                            });
    }
    showBatch(ws, result.lines(accept), target, false, nullptr);
    // Nothing is on disk for the imported batch yet: no earlier file to guard.
    forgetKnownFile(st);
    warnBeyond(ws);
    return true;
}

} // namespace

bool OpenDataFile(Workspace &ws)
{
    SessionState &st = ws.state;
    FileChooser *chooser = ensureChooser(ws);
    const QString name = chooser->name().trimmed();
    if (name.isEmpty()) {
        ws.prompter.ok(u"กรุณาใส่ชื่อไฟล์"_s);
        chooser->Text1->setFocus();
        return false;
    }
    const QString path = JoinChooserPath(chooser->directory(), name);
    if (isSheetPath(path))
        return openSheet(ws, path);
    // Read first: a file that cannot be read leaves the batch, its name and the
    // totals as they were.
    ReadResult read = ReadDataFile(path);
    if (!read.ok()) {
        ws.prompter.ok(u"ไม่มี แฟ้มข้อมูลนี้"_s);
        chooser->Text1->setFocus();
        return false;
    }

    showBatch(ws, std::move(read.lines), path, true, &read.stamp);
    st.KnownFilePath = path;
    st.KnownFileStamp = read.stamp;
    st.KnownFileSkipped = read.skippedText;
    // A notes file opened by mistake must not look like an empty batch without a word.
    if (read.skippedText > 0)
        ws.prompter.ok(u"ข้ามบรรทัดที่ไม่ใช่รายการธนาณัติ %1 บรรทัด"_s.arg(read.skippedText));
    warnBeyond(ws);
    return true;
}

bool SaveDataFile(Workspace &ws)
{
    SessionState &st = ws.state;
    if (st.SaveTargetPath.trimmed().isEmpty()) {
        ws.prompter.ok(u"ไม่มีชื่อแฟ้มข้อมูลที่ต้องการบันทึก"_s);
        return false;
    }
    if (ws.session.lstMO.isEmpty()) {
        ws.prompter.ok(u"ไม่มีข้อมูลที่จะบันทึก"_s);
        return false;
    }
    if (!mayReplaceKnownFile(ws))
        return false;
    const WriteResult written = WriteDataFile(st.SaveTargetPath, ws.session.lstMO.lines());
    if (!written.ok()) {
        ws.prompter.ok(u"error writing to disk or  writing to protected disk  "_s);
        return false;
    }
    st.KnownFilePath = st.SaveTargetPath;
    st.KnownFileStamp = written.stamp;
    st.KnownFileSkipped = 0;
    st.CurrentFilePath = st.SaveTargetPath;
    st.IsSaved = true;
    // The batch is now exactly the saved file: the journal starts afresh from it, by
    // reference, so it stays small and knows the file as saved.
    ws.beginJournal(&written.stamp);
    ws.prompter.ok(st.CurrentFilePath + u"   บันทึกแล้ว"_s);
    return true;
}

void NewDataFile(Workspace &ws)
{
    SessionState &st = ws.state;
    EntryWindow *entry = ws.ensureEntry();
    st.ResumeIndex = 0;
    entry->AbandonInsertion();
    ws.session.lstMO.clear();
    entry->RefreshTotals();
    entry->AddAction();
    st.CurrentFilePath = ws.session.paths.nonamePath();
    forgetKnownFile(st);
    entry->setCaption(st.EntryBaseCaption + u"      "_s + st.CurrentFilePath);
    ws.beginJournal();
}

} // namespace vorlane
