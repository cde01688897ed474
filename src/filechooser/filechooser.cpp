#include "filechooser/filechooser.h"

#include "entry/entrywindow.h"
#include "filechooser/filename.h"
#include "filechooser/flows.h"
#include "importer/sheet.h"
#include "widgets/uiscale.h"
#include "layout/filechooserlayout.h"
#include "widgets/commandbutton.h"
#include "shell/workspace.h"
#include "records/texthelpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStorageInfo>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// Only a file can be overwritten: a folder of that name is no question, its save fails.
bool isExistingFile(const QString &path) { return QFileInfo(path).isFile(); }

const QString kAskOverwrite = u" มีแฟ้มข้อมูลนี้อยู่แล้ว ต้องการบันทึกชื่อแฟ้มข้อมูลนี้ซ้ำอีกหรือไม่"_s;

QString problemText(SaveNameProblem p)
{
    switch (p) {
    case SaveNameProblem::Empty: return u"ให้ใส่ชื่อแฟ้มข้อมูลที่ต้องการบันทึก"_s;
    case SaveNameProblem::TooManyDots: return u"มีจุดทศนิยมมากกว่าหนึ่งจุด"_s;
    case SaveNameProblem::ExtensionLength: return u"ความยาวของรูปแบบไฟล์ไม่เท่ากับ 3 ตัวอักษร"_s;
    case SaveNameProblem::NotText: return u"ไม่ใช่รูปแบบของ text ไฟล์"_s;
    case SaveNameProblem::Reserved: return u"ไม่สามารถเก็บข้อมูลในชื่อไฟล์นี้ได้"_s;
    case SaveNameProblem::None: break;
    }
    return {};
}

bool isPartOfName(SaveNameProblem p)
{
    return p == SaveNameProblem::TooManyDots || p == SaveNameProblem::ExtensionLength ||
           p == SaveNameProblem::NotText;
}

} // namespace

FileChooser::FileChooser(Workspace &ws, QWidget *parent) : WorkWindow(parent), m_ws(ws)
{
    setObjectName(u"frmOpen"_s);
    setWindowTitle(u"เปิดไฟล์ข้อมูลธนาณัติ"_s);

    auto makeLabel = [this](const QString &name) {
        auto *l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    Lbldrive = makeLabel(u"Lbldrive"_s);
    Lbldir = makeLabel(u"Lbldir"_s);
    Lblname = makeLabel(u"Lblname"_s);
    Lblname2 = makeLabel(u"Lblname2"_s);

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(u"Drive1"_s);
    for (const QString &root : driveRoots())
        Drive1->addItem(QDir::toNativeSeparators(root), root);

    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_dirModel->setRootPath(QDir::rootPath());
    Dir1 = new QTreeView(this);
    Dir1->setObjectName(u"Dir1"_s);
    Dir1->setModel(m_dirModel);
    for (int c = 1; c < m_dirModel->columnCount(); ++c)
        Dir1->hideColumn(c);
    Dir1->header()->hide();

    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_fileModel->setNameFilters({u"*.txt"_s});
    m_fileModel->setNameFilterDisables(false);
    File1 = new QListView(this);
    File1->setObjectName(u"File1"_s);
    File1->setModel(m_fileModel);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(u"Text1"_s);

    Comopen = new CommandButton(u"Open"_s, this);
    Comopen->setObjectName(u"Comopen"_s);
    Comclose = new CommandButton(u"ยกเลิก"_s, this);
    Comclose->setObjectName(u"Comclose"_s);

    // A screen reader names each control after the label above it, whatever the mode says.
    Lbldrive->setBuddy(Drive1);
    Lbldir->setBuddy(Dir1);
    Lblname->setBuddy(Text1);
    Lblname2->setBuddy(File1);

    setTabOrder(Text1, Comopen);
    setTabOrder(Comopen, Comclose);

    // The folder tree fills in the background: show the chosen folder once its
    // ancestors have been read.
    connect(m_dirModel, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        if (m_dir == loaded || m_dir.startsWith(loaded.endsWith(u'/') ? loaded : loaded + u'/'))
            revealDirectory();
    });
    connect(Drive1, &QComboBox::activated, this, &FileChooser::chooseDrive);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) { onDirCurrentChanged(current); });
    connect(File1, &QListView::clicked, this,
            [this](const QModelIndex &i) { Text1->setText(m_fileModel->fileName(i)); });
    // Moving through the list with the keys is the keyboard user's click.
    connect(File1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) {
                if (current.isValid() && File1->hasFocus())
                    Text1->setText(m_fileModel->fileName(current));
            });
    connect(File1, &QListView::activated, this, [this](const QModelIndex &i) {
        Text1->setText(m_fileModel->fileName(i));
    });
    connect(File1, &QListView::doubleClicked, this, [this](const QModelIndex &i) {
        Text1->setText(m_fileModel->fileName(i));
        Comopen_Click();
    });
    connect(Text1, &QLineEdit::returnPressed, this, &FileChooser::Text1_Enter);
    connect(Comopen, &QPushButton::clicked, this, &FileChooser::Comopen_Click);
    connect(Comclose, &QPushButton::clicked, this, &FileChooser::Comclose_Click);
    setEscapeButton(Comclose);

    // A new chooser starts in the program's working directory, which it never changes.
    setDirectory(QDir::currentPath());
    applyLayout();
}

void FileChooser::setMode(Mode mode)
{
    m_mode = mode;
    // Opening also lists spreadsheets, whose orders are imported into a new batch.
    m_fileModel->setNameFilters(mode == Mode::Open ? QStringList{u"*.txt"_s, u"*.csv"_s, u"*.xlsx"_s, u"*.ods"_s}
                                                   : QStringList{u"*.txt"_s});
    if (mode == Mode::Open) {
        setWindowTitle(u"เปิดไฟล์"_s);
        Comopen->setText(u"เปิด"_s);
        Lbldrive->setText(u"เลือกไดร์ฟที่ต้องการเปิดไฟล์"_s);
        Lbldir->setText(u"เลือกไดเร็กทอรี่ที่ต้องการเปิดไฟล์"_s);
        Lblname->setText(u"พิมพ์ชื่อไฟล์ที่ต้องการเปิดไฟล์"_s);
    } else {
        setWindowTitle(u"บันทึกไฟล์"_s);
        Comopen->setText(u"บันทึก"_s);
        Lbldrive->setText(u"เลือกไดร์ฟที่ต้องการบันทึก"_s);
        Lbldir->setText(u"เลือกไดเร็กทอรี่ที่ต้องการบันทึก"_s);
        Lblname->setText(u"พิมพ์ชื่อไฟล์ที่ต้องการบันทึก"_s);
    }
    Lblname2->setText(u"ชื่อไฟล์ที่มีอยู่ในไดเร็กทอรี่ที่เลือก"_s);
    // Lists take no name from a label: give them the label's words.
    Dir1->setAccessibleName(Lbldir->text());
    File1->setAccessibleName(Lblname2->text());
    fitLabels();
}

QString FileChooser::name() const { return Text1->text(); }
void FileChooser::setName(const QString &name) { Text1->setText(name); }

QStringList FileChooser::driveRoots() const
{
    QStringList roots;
    for (const QFileInfo &drive : QDir::drives())
        roots << drive.absoluteFilePath();
    QStringList volumes;
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        if (v.isValid() && v.isReady() && !roots.contains(v.rootPath()))
            volumes << v.rootPath();
    }
    volumes.sort();
    volumes.removeDuplicates();
    return roots + volumes;
}

void FileChooser::revealDirectory()
{
    const QModelIndex index = m_dirModel->index(m_dir);
    if (!index.isValid())
        return;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        Dir1->expand(p);
    if (Dir1->currentIndex() != index)
        Dir1->setCurrentIndex(index);
    Dir1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FileChooser::setDirectory(const QString &path)
{
    m_dir = QDir::cleanPath(QDir(path).absolutePath());
    revealDirectory();
    m_fileModel->setRootPath(m_dir);
    File1->setRootIndex(m_fileModel->index(m_dir));
    selectDriveOf(m_dir);
}

void FileChooser::onDirCurrentChanged(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    const QString path = m_dirModel->filePath(current);
    if (QDir::cleanPath(path) != m_dir)
        setDirectory(path);
}

void FileChooser::selectDriveOf(const QString &path)
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = QDir::cleanPath(Drive1->itemData(i).toString());
        const bool under = root == path || path.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (under && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0) {
        const QSignalBlocker block(Drive1);
        Drive1->setCurrentIndex(best);
    }
}

void FileChooser::chooseDrive(int index)
{
    const QString root = Drive1->itemData(index).toString();
    const QFileInfo info(root);
    if (root.isEmpty() || !info.isDir() || !info.isReadable() || !QDir(root).isReadable()) {
        // A drive that cannot be read: back to the drive of the folder shown.
        selectDriveOf(m_dir);
        return;
    }
    setDirectory(root);
    Text1->setFocus();
}

void FileChooser::Text1_Enter()
{
    if (m_mode == Mode::Save) {
        enterSave();
        return;
    }
    if (Text1->text().isEmpty()) {
        m_ws.prompter.ok(u"ไม่ได้พิมพ์ชื่อไฟล์ที่ต้องการเปิด"_s);
        Text1->setFocus();
        return;
    }
    Comopen->setFocus();
}

void FileChooser::enterSave()
{
    const SaveNameCheck r = CheckSaveName(Text1->text(), true);
    if (r.problem == SaveNameProblem::Empty) {
        m_ws.prompter.ok(u"ไม่ได้พิมพ์ชื่อไฟล์ที่ต้องการบันทึก"_s);
        Text1->setFocus();
        return;
    }
    if (isPartOfName(r.problem)) {
        m_ws.prompter.ok(problemText(r.problem));
        Text1->setFocus();
        return;
    }
    Text1->setText(r.boxText);
    if (r.problem == SaveNameProblem::Reserved) {
        m_ws.prompter.ok(problemText(r.problem));
        Text1->setFocus();
        return;
    }
    if (isExistingFile(JoinChooserPath(m_dir, r.fileName)) &&
        m_ws.prompter.yesNo(kAskOverwrite) != Prompter::Answer::Yes) {
        Text1->clear();
        Text1->setFocus();
        return;
    }
    Comopen->setFocus();
}

void FileChooser::Comopen_Click()
{
    if (m_mode == Mode::Save)
        acceptSave();
    else
        acceptOpen();
}

void FileChooser::acceptOpen()
{
    // An imported spreadsheet is a new batch that nothing holds yet: it stays unsaved.
    const bool sheet = isSheetPath(trimWhiteSpace(name()).toString());
    if (OpenDataFile(m_ws))
        m_ws.setCommandButtonsVisible(true);
    if (!sheet)
        m_ws.batch.markSaved();
}

void FileChooser::acceptSave()
{
    const SaveNameCheck r = CheckSaveName(Text1->text(), false);
    if (r.problem != SaveNameProblem::None && r.problem != SaveNameProblem::Reserved) {
        m_ws.prompter.ok(problemText(r.problem));
        if (isPartOfName(r.problem))
            Text1->clear();
        Text1->setFocus();
        return;
    }
    Text1->setText(r.boxText);
    if (r.problem == SaveNameProblem::Reserved) {
        m_ws.prompter.ok(problemText(r.problem));
        Text1->setFocus();
        return;
    }
    if (m_ws.batch.lines().isEmpty()) {
        m_ws.prompter.ok(u"ไม่มีข้อมูลที่จะบันทึก"_s);
        Text1->setFocus();
        return;
    }
    const QString path = JoinChooserPath(m_dir, r.fileName);
    if (isExistingFile(path) && m_ws.prompter.yesNo(kAskOverwrite) != Prompter::Answer::Yes) {
        Text1->clear();
        Text1->setFocus();
        return;
    }
    m_ws.batch.saveAs(path);
    if (!SaveDataFile(m_ws)) {
        // Nothing was written: the chooser stays, so another folder or name can be tried.
        Text1->setFocus();
        return;
    }
    EntryWindow *entry = m_ws.ensureEntry();
    entry->setCaption(m_ws.batch.CurrentFilePath());
    entry->show();
    m_ws.setCommandButtonsVisible(true);
    // The next use starts afresh in the working directory.
    if (m_ws.chooser == this)
        m_ws.chooser = nullptr;
    hide();
    deleteLater();
}

void FileChooser::Comclose_Click()
{
    hide();
    m_ws.returnToEntry();
}

void FileChooser::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const layout::FileChooserLayout l = layout::fileChooserLayout(s);
    placeTwips(Lbldrive, l.Lbldrive, s);
    placeTwips(Drive1, l.Drive1, s);
    placeTwips(Lbldir, l.Lbldir, s);
    placeTwips(Dir1, l.Dir1, s);
    placeTwips(Lblname, l.Lblname, s);
    placeTwips(Text1, l.Text1, s);
    placeTwips(Lblname2, l.Lblname2, s);
    placeTwips(File1, l.File1, s);
    placeTwips(Comopen, l.Comopen, s);
    placeTwips(Comclose, l.Comclose, s);
    fitLabels();
}

void FileChooser::fitLabels()
{
    for (QLabel *label : {Lbldrive, Lbldir, Lblname, Lblname2})
        fitText(label, label->text());
}

} // namespace vorlane
