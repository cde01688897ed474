#include "filechooser/filechooser.h"

#include "importer/workbook.h"

#include "filechooser/filename.h"
#include "records/session.h"
#include "widgets/uiscale.h"
#include "layout/filechooserlayout.h"
#include "widgets/commandbutton.h"
#include "widgets/prompter.h"

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

} // namespace

FileChooser::FileChooser(Session &session, Prompter &prompter, QWidget *parent)
    : WorkWindow(parent), m_session(session), m_prompter(prompter)
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
    Comtemplate = new CommandButton(u"แบบฟอร์มนำเข้า"_s, this);
    Comtemplate->setObjectName(u"Comtemplate"_s);
    Comtemplate->setAccessibleDescription(u"บันทึกแฟ้ม Excel เปล่าสำหรับกรอกรายการธนาณัติแล้วนำเข้า"_s);

    // A screen reader names each control after the label above it, whatever the mode says.
    Lbldrive->setBuddy(Drive1);
    Lbldir->setBuddy(Dir1);
    Lblname->setBuddy(Text1);
    Lblname2->setBuddy(File1);

    setTabOrder(Text1, Comopen);
    setTabOrder(Comopen, Comclose);
    setTabOrder(Comclose, Comtemplate);

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
    connect(Comtemplate, &QPushButton::clicked, this, &FileChooser::Comtemplate_Click);
    setEscapeButton(Comclose);

    // A new chooser starts in the program's working directory, which it never changes,
    // unless the tables live there: a save in that folder could replace them.
    setDirectory(m_session.paths.chooserStartDir(QDir::currentPath()));
    applyLayout();
}

void FileChooser::setMode(Mode mode)
{
    m_mode = mode;
    // Opening also lists spreadsheets, whose orders are imported into a new batch.
    m_fileModel->setNameFilters(mode == Mode::Open ? QStringList{u"*.txt"_s, u"*.csv"_s, u"*.tsv"_s, u"*.xlsx"_s, u"*.xlsm"_s, u"*.xls"_s, u"*.ods"_s}
                                                   : QStringList{u"*.txt"_s});
    Comtemplate->setVisible(mode == Mode::Open);
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
        m_prompter.ok(u"ไม่ได้พิมพ์ชื่อไฟล์ที่ต้องการเปิด"_s);
        Text1->setFocus();
        return;
    }
    Comopen->setFocus();
}

void FileChooser::enterSave()
{
    const SaveNameStep step = SaveNameOutcome(Text1->text(), true);
    if (!applyNameStep(step))
        return;
    if (isExistingFile(JoinChooserPath(m_dir, step.fileName)) &&
        m_prompter.yesNo(kAskOverwrite) != Prompter::Answer::Yes) {
        Text1->clear();
        Text1->setFocus();
        return;
    }
    Comopen->setFocus();
}

bool FileChooser::applyNameStep(const SaveNameStep &step)
{
    // A refused name is cleared after its message, any other change shown before it.
    const bool clears = step.boxText.isEmpty() && !Text1->text().isEmpty();
    if (!clears && Text1->text() != step.boxText)
        Text1->setText(step.boxText);
    if (!step.message.isEmpty())
        m_prompter.ok(step.message);
    if (clears)
        Text1->clear();
    if (!step.passed)
        Text1->setFocus();
    return step.passed;
}

void FileChooser::Comopen_Click()
{
    if (m_mode == Mode::Save)
        acceptSave();
    else
        acceptOpen();
}

void FileChooser::acceptOpen() { Q_EMIT openChosen(); }

void FileChooser::acceptSave()
{
    const SaveNameStep step = SaveNameOutcome(Text1->text(), false);
    if (!applyNameStep(step))
        return;
    if (m_session.batch.lines().isEmpty()) {
        m_prompter.ok(u"ไม่มีข้อมูลที่จะบันทึก"_s);
        Text1->setFocus();
        return;
    }
    const QString path = JoinChooserPath(m_dir, step.fileName);
    if (isExistingFile(path) && m_prompter.yesNo(kAskOverwrite) != Prompter::Answer::Yes) {
        Text1->clear();
        Text1->setFocus();
        return;
    }
    m_session.batch.saveAs(path);
    Q_EMIT saveChosen();
}

void FileChooser::Comtemplate_Click()
{
    const QString name = u"แบบฟอร์มนำเข้าธนาณัติ.xlsx"_s;
    const QString path = QDir(m_dir).filePath(name);
    if (QFileInfo::exists(path)
        && m_prompter.yesNoDefaultNo(QDir::toNativeSeparators(path) + u"\nมีแฟ้มนี้อยู่แล้ว ต้องการเขียนทับหรือไม่"_s)
               != Prompter::Answer::Yes) {
        Comtemplate->setFocus();
        return;
    }
    QString error;
    if (!WriteImportTemplate(path, m_session.tables.rates, m_session.tables.types, &error)) {
        m_prompter.ok(error);
        Comtemplate->setFocus();
        return;
    }
    m_prompter.ok(QDir::toNativeSeparators(path) + u"   บันทึกแล้ว\nกรอกรายการในแฟ้มนี้ บันทึก แล้วเปิดแฟ้มนี้เพื่อนำเข้า"_s);
    setName(name);
    Text1->setFocus();
}

void FileChooser::Comclose_Click()
{
    hide();
    Q_EMIT cancelled();
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
    placeTwips(Comtemplate, l.Comtemplate, s);
    fitLabels();
}

void FileChooser::fitLabels()
{
    for (QLabel *label : {Lbldrive, Lbldir, Lblname, Lblname2})
        fitText(label, label->text());
}

} // namespace vorlane
