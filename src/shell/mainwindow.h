#pragma once
// MDIForm1: the full-screen frame, with the command bar (Picture1, eight Command1
// buttons) at its right edge and the work windows in the area left of it.
#include <QWidget>
#include <array>

class QFrame;

namespace vorlane {

struct Workspace;
class CommandButton;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(Workspace &ws);
    ~MainWindow() override;

    static QString mainCaption();

    // Command1_Click: the dispatch on (index, caption).
    void commandClick(int index);
    // The command bar's two states.
    void setWorkState();
    bool isStartState() const;
    // "ปิดโปรแกรม": empties the batch, hides the entry window, start-state captions.
    void ResetToStart();
    void setCommandButtonsVisible(bool visible);
    // Ends the program, as "ออกจากโปรแกรม" does.
    void exitProgram();

    QWidget *workArea() const { return m_workArea; }
    // Lays the command bar out again from the screen size.
    void applyLayout();

    QFrame *Picture1 = nullptr;
    std::array<CommandButton *, 8> Command1{};

Q_SIGNALS:
    // Emitted by "ออกจากโปรแกรม"; the program's event loop ends on it.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openProgram();
    void newDataFile();
    void openDataFile();
    void saveDataFile();
    void closeProgram();
    void hideEntryAndBar();
    void updateTitle();

    Workspace &m_ws;
    QWidget *m_workArea = nullptr;
    bool m_exiting = false;
};

} // namespace vorlane
