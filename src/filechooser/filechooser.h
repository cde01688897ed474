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

struct Workspace;
class CommandButton;

class FileChooser : public WorkWindow {
    Q_OBJECT
public:
    FileChooser(Workspace &ws, QWidget *parent);

    enum class Mode { Open, Save };
    // Captions and prompts of the mode; the name box is left as it is.
    void setMode(Mode mode);
    Mode mode() const { return m_mode; }

    // Dir1's folder: the folder used to open and to save.
    QString directory() const { return m_dir; }
    void setDirectory(const QString &path);
    QString name() const;
    void setName(const QString &name);

    // Roots listed in Drive1: file-system roots and mounted volumes.
    QStringList driveRoots() const;
    void chooseDrive(int index);

    void Comopen_Click();
    void Comclose_Click();
    void Text1_Enter();

    QLabel *Lbldrive = nullptr, *Lbldir = nullptr, *Lblname = nullptr, *Lblname2 = nullptr;
    QComboBox *Drive1 = nullptr;
    QTreeView *Dir1 = nullptr;
    QListView *File1 = nullptr;
    QLineEdit *Text1 = nullptr;
    CommandButton *Comopen = nullptr, *Comclose = nullptr;

protected:

private:
    void applyLayout() override;
    void acceptSave();
    void acceptOpen();
    void enterSave();
    void refuseName(bool empty);
    void selectDriveOf(const QString &path);
    void revealDirectory();
    void fitLabels();
    void onDirCurrentChanged(const QModelIndex &current);

    Workspace &m_ws;
    QFileSystemModel *m_dirModel = nullptr;
    QFileSystemModel *m_fileModel = nullptr;
    QString m_dir;
    Mode m_mode = Mode::Open;
};

} // namespace vorlane
