#include "filechooser/filechooser.h"

#include "workbook/workbook.h"

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

}  // namespace

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
    m_driveLabel = makeLabel(u"Lbldrive"_s);
    m_folderLabel = makeLabel(u"Lbldir"_s);
    m_nameLabel = makeLabel(u"Lblname"_s);
    m_nameHint = makeLabel(u"Lblname2"_s);

    m_drives = new QComboBox(this);
    m_drives->setObjectName(u"Drive1"_s);
    for (const QString &root : driveRoots())
        m_drives->addItem(QDir::toNativeSeparators(root), root);

    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_dirModel->setRootPath(QDir::rootPath());
    m_folders = new QTreeView(this);
    m_folders->setObjectName(u"Dir1"_s);
    m_folders->setModel(m_dirModel);
    for (int c = 1; c < m_dirModel->columnCount(); ++c)
        m_folders->hideColumn(c);
    m_folders->header()->hide();

    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_fileModel->setNameFilters({u"*.txt"_s});
    m_fileModel->setNameFilterDisables(false);
    m_files = new QListView(this);
    m_files->setObjectName(u"File1"_s);
    m_files->setModel(m_fileModel);

    m_nameBox = new QLineEdit(this);
    m_nameBox->setObjectName(u"Text1"_s);

    m_acceptButton = new CommandButton(u"Open"_s, this);
    m_acceptButton->setObjectName(u"Comopen"_s);
    m_cancelButton = new CommandButton(u"ยกเลิก"_s, this);
    m_cancelButton->setObjectName(u"Comclose"_s);
    m_templateButton = new CommandButton(u"แบบฟอร์มนำเข้า"_s, this);
    m_templateButton->setObjectName(u"Comtemplate"_s);
    m_templateButton->setAccessibleDescription(u"บันทึกแฟ้ม Excel เปล่าสำหรับกรอกรายการธนาณัติแล้วนำเข้า"_s);

    // A screen reader names each control after the label above it, whatever the mode says.
    m_driveLabel->setBuddy(m_drives);
    m_folderLabel->setBuddy(m_folders);
    m_nameLabel->setBuddy(m_nameBox);
    m_nameHint->setBuddy(m_files);

    setTabOrder(m_nameBox, m_acceptButton);
    setTabOrder(m_acceptButton, m_cancelButton);
    setTabOrder(m_cancelButton, m_templateButton);

    // The folder tree fills in the background: show the chosen folder once its
    // ancestors have been read.
    connect(m_dirModel, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        if (m_dir == loaded || m_dir.startsWith(loaded.endsWith(u'/') ? loaded : loaded + u'/'))
            revealDirectory();
    });
    connect(m_drives, &QComboBox::activated, this, &FileChooser::chooseDrive);
    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) { onDirCurrentChanged(current); });
    connect(m_files, &QListView::clicked, this,
            [this](const QModelIndex &i) { m_nameBox->setText(m_fileModel->fileName(i)); });
    // Moving through the list with the keys is the keyboard user's click.
    connect(m_files->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) {
                if (current.isValid() && m_files->hasFocus())
                    m_nameBox->setText(m_fileModel->fileName(current));
            });
    connect(m_files, &QListView::activated, this,
            [this](const QModelIndex &i) { m_nameBox->setText(m_fileModel->fileName(i)); });
    connect(m_files, &QListView::doubleClicked, this, [this](const QModelIndex &i) {
        m_nameBox->setText(m_fileModel->fileName(i));
        Comopen_Click();
    });
    connect(m_nameBox, &QLineEdit::returnPressed, this, &FileChooser::Text1_Enter);
    connect(m_acceptButton, &QPushButton::clicked, this, &FileChooser::Comopen_Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &FileChooser::Comclose_Click);
    connect(m_templateButton, &QPushButton::clicked, this, &FileChooser::Comtemplate_Click);
    setEscapeButton(m_cancelButton);

    // A new chooser starts in the program's working directory, which it never changes,
    // unless the tables live there: a save in that folder could replace them.
    setDirectory(m_session.paths.chooserStartDir(QDir::currentPath()));
    applyLayout();
}

void FileChooser::takeFocus() { m_nameBox->setFocus(Qt::OtherFocusReason); }

void FileChooser::setMode(Mode mode)
{
    m_mode = mode;
    // Opening also lists spreadsheets, whose orders are imported into a new batch.
    m_fileModel->setNameFilters(mode == Mode::Open ? QStringList{u"*.txt"_s, u"*.csv"_s, u"*.tsv"_s, u"*.xlsx"_s,
                                                                 u"*.xlsm"_s, u"*.xls"_s, u"*.ods"_s}
                                                   : QStringList{u"*.txt"_s});
    m_templateButton->setVisible(mode == Mode::Open);
    if (mode == Mode::Open) {
        setWindowTitle(u"เปิดไฟล์"_s);
        m_acceptButton->setText(u"เปิด"_s);
        m_driveLabel->setText(u"เลือกไดร์ฟที่ต้องการเปิดไฟล์"_s);
        m_folderLabel->setText(u"เลือกไดเร็กทอรี่ที่ต้องการเปิดไฟล์"_s);
        m_nameLabel->setText(u"พิมพ์ชื่อไฟล์ที่ต้องการเปิดไฟล์"_s);
    } else {
        setWindowTitle(u"บันทึกไฟล์"_s);
        m_acceptButton->setText(u"บันทึก"_s);
        m_driveLabel->setText(u"เลือกไดร์ฟที่ต้องการบันทึก"_s);
        m_folderLabel->setText(u"เลือกไดเร็กทอรี่ที่ต้องการบันทึก"_s);
        m_nameLabel->setText(u"พิมพ์ชื่อไฟล์ที่ต้องการบันทึก"_s);
    }
    m_nameHint->setText(u"ชื่อไฟล์ที่มีอยู่ในไดเร็กทอรี่ที่เลือก"_s);
    // Lists take no name from a label: give them the label's words.
    m_folders->setAccessibleName(m_folderLabel->text());
    m_files->setAccessibleName(m_nameHint->text());
    fitLabels();
}

QString FileChooser::name() const { return m_nameBox->text(); }
void FileChooser::setName(const QString &name) { m_nameBox->setText(name); }

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
        m_folders->expand(p);
    if (m_folders->currentIndex() != index)
        m_folders->setCurrentIndex(index);
    m_folders->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FileChooser::setDirectory(const QString &path)
{
    m_dir = QDir::cleanPath(QDir(path).absolutePath());
    revealDirectory();
    m_fileModel->setRootPath(m_dir);
    m_files->setRootIndex(m_fileModel->index(m_dir));
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
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString root = QDir::cleanPath(m_drives->itemData(i).toString());
        const bool under = root == path || path.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (under && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0) {
        const QSignalBlocker block(m_drives);
        m_drives->setCurrentIndex(best);
    }
}

void FileChooser::chooseDrive(int index)
{
    const QString root = m_drives->itemData(index).toString();
    const QFileInfo info(root);
    if (root.isEmpty() || !info.isDir() || !info.isReadable() || !QDir(root).isReadable()) {
        // A drive that cannot be read: back to the drive of the folder shown.
        selectDriveOf(m_dir);
        return;
    }
    setDirectory(root);
    m_nameBox->setFocus();
}

void FileChooser::Text1_Enter()
{
    if (m_mode == Mode::Save) {
        enterSave();
        return;
    }
    if (m_nameBox->text().isEmpty()) {
        m_prompter.ok(u"ไม่ได้พิมพ์ชื่อไฟล์ที่ต้องการเปิด"_s);
        m_nameBox->setFocus();
        return;
    }
    m_acceptButton->setFocus();
}

void FileChooser::enterSave()
{
    const SaveNameStep step = SaveNameOutcome(m_nameBox->text(), true);
    if (!applyNameStep(step))
        return;
    if (isExistingFile(JoinChooserPath(m_dir, step.fileName))
        && m_prompter.yesNo(kAskOverwrite) != Prompter::Answer::Yes) {
        m_nameBox->clear();
        m_nameBox->setFocus();
        return;
    }
    m_acceptButton->setFocus();
}

bool FileChooser::applyNameStep(const SaveNameStep &step)
{
    // A refused name is cleared after its message, any other change shown before it.
    const bool clears = step.boxText.isEmpty() && !m_nameBox->text().isEmpty();
    if (!clears && m_nameBox->text() != step.boxText)
        m_nameBox->setText(step.boxText);
    if (!step.message.isEmpty())
        m_prompter.ok(step.message);
    if (clears)
        m_nameBox->clear();
    if (!step.passed)
        m_nameBox->setFocus();
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
    const SaveNameStep step = SaveNameOutcome(m_nameBox->text(), false);
    if (!applyNameStep(step))
        return;
    if (m_session.batch.lines().isEmpty()) {
        m_prompter.ok(u"ไม่มีข้อมูลที่จะบันทึก"_s);
        m_nameBox->setFocus();
        return;
    }
    const QString path = JoinChooserPath(m_dir, step.fileName);
    if (isExistingFile(path) && m_prompter.yesNo(kAskOverwrite) != Prompter::Answer::Yes) {
        m_nameBox->clear();
        m_nameBox->setFocus();
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
        m_templateButton->setFocus();
        return;
    }
    QString error;
    if (!WriteImportTemplate(path, m_session.tables.rates, m_session.tables.types, &error)) {
        m_prompter.ok(error);
        m_templateButton->setFocus();
        return;
    }
    m_prompter.ok(QDir::toNativeSeparators(path) + u"   บันทึกแล้ว\nกรอกรายการในแฟ้มนี้ บันทึก แล้วเปิดแฟ้มนี้เพื่อนำเข้า"_s);
    setName(name);
    m_nameBox->setFocus();
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
    placeTwips(m_driveLabel, l.Lbldrive, s);
    placeTwips(m_drives, l.Drive1, s);
    placeTwips(m_folderLabel, l.Lbldir, s);
    placeTwips(m_folders, l.Dir1, s);
    placeTwips(m_nameLabel, l.Lblname, s);
    placeTwips(m_nameBox, l.Text1, s);
    placeTwips(m_nameHint, l.Lblname2, s);
    placeTwips(m_files, l.File1, s);
    placeTwips(m_acceptButton, l.Comopen, s);
    placeTwips(m_cancelButton, l.Comclose, s);
    placeTwips(m_templateButton, l.Comtemplate, s);
    fitLabels();
}

void FileChooser::fitLabels()
{
    for (QLabel *label : {m_driveLabel, m_folderLabel, m_nameLabel, m_nameHint})
        fitText(label, label->text());
}

}  // namespace vorlane
