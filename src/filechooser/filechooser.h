#pragma once
// frmOpen: the window in which the user picks a folder and names a data file, to open
// a batch or to save one. Open mode and save mode differ in captions and in what the
// accept button does.
#include "widgets/workwindow.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListView;
class QTreeView;
class QModelIndex;

namespace vorlane {

class CommandButton;
class Prompter;
struct SaveNameStep;
struct Session;

class FileChooser : public WorkWindow {
    Q_OBJECT
public:
    // Reads the batch and the chooser mode; sets SaveTargetPath before a save.
    FileChooser(Session &session, Prompter &prompter, QWidget *parent);

    enum class Mode { Open, Save };
    // Captions and prompts of the mode; the name box is left as it is.
    void setMode(Mode mode);
    Mode mode() const { return m_mode; }

    // The folder shown: the folder used to open and to save.
    QString directory() const { return m_dir; }
    void setDirectory(const QString &path);
    QString name() const;
    void setName(const QString &name);

    // Roots in the drive list: file-system roots and mounted volumes.
    QStringList driveRoots() const;
    void chooseDrive(int index);

    void Comopen_Click();
    void Comclose_Click();
    // Open mode: writes the blank import workbook into the folder shown and names it in
    // the name box, so that filled in, it opens from here.
    void Comtemplate_Click();
    void Text1_Enter();

    // On the name box, as the chooser starts and after a name it could not take.
    void takeFocus() override;

Q_SIGNALS:
    // Open mode accepted: the file of directory() and name() is to be read.
    void openChosen();
    // Save mode accepted with a name that passed its checks: SaveTargetPath is set and
    // the batch is to be written there. The chooser stays until the write succeeds.
    void saveChosen();
    // "ยกเลิก".
    void cancelled();

protected:
private:
    QLabel *m_driveLabel = nullptr, *m_folderLabel = nullptr, *m_nameLabel = nullptr, *m_nameHint = nullptr;
    QComboBox *m_drives = nullptr;
    QTreeView *m_folders = nullptr;
    QListView *m_files = nullptr;
    QLineEdit *m_nameBox = nullptr;
    CommandButton *m_acceptButton = nullptr, *m_cancelButton = nullptr, *m_templateButton = nullptr;
    void applyLayout() override;
    void acceptSave();
    void acceptOpen();
    void enterSave();
    // Shows what the name check decided; true when the name passed.
    bool applyNameStep(const SaveNameStep &step);
    void refuseName(bool empty);
    void selectDriveOf(const QString &path);
    void revealDirectory();
    void fitLabels();
    void onDirCurrentChanged(const QModelIndex &current);

    Session &m_session;
    Prompter &m_prompter;
    QFileSystemModel *m_dirModel = nullptr;
    QFileSystemModel *m_fileModel = nullptr;
    QString m_dir;
    Mode m_mode = Mode::Open;
};

}  // namespace vorlane
