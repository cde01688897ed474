#pragma once
// Form4: the depositor's name and address, the defaults of every new record. Confirming
// it opens the entry window on a new unnamed batch.
#include <QWidget>

class QLabel;
class QLineEdit;

namespace vorlane {

struct DepositorOutcome;
enum class DepositorControl;

class MainWindow;
class CommandButton;

class DepositorDialog : public QWidget {
    Q_OBJECT
public:
    DepositorDialog(MainWindow &main, QWidget *parent);

    // "ตกลง".
    void Confirm();
    void applyLayout();

    QLabel *Label3 = nullptr;  // heading
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Text1 = nullptr;  // name
    QLineEdit *Text2 = nullptr;  // address
    CommandButton *Command1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *control(DepositorControl c) const;
    // Shows the outcome of a check and applies it; false when it failed.
    bool apply(const DepositorOutcome &o);

    MainWindow &m_main;
};

} // namespace vorlane
