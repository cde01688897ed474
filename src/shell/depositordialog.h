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

    // Shown with the depositor's name and address to confirm or correct, the focus on the name.
    void start(const QString &name, const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *control(DepositorControl c) const;
    // Shows the outcome of a check and applies it; false when it failed.
    bool apply(const DepositorOutcome &o);

    QLabel *m_heading = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLabel *m_addressLabel = nullptr;
    QLineEdit *m_nameBox = nullptr;
    QLineEdit *m_addressBox = nullptr;
    CommandButton *m_okButton = nullptr;
    MainWindow &m_main;
};

}  // namespace vorlane
