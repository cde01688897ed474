#pragma once
// frmAbout: the program's name, version and makers; modal.
#include <QDialog>

class QLabel;
class QPushButton;

namespace vorlane {

class Prompter;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(Prompter &prompter, QWidget *parent = nullptr);

    // There is no system-information tool to start here.
    void StartSysInfo();

    QLabel *picIcon = nullptr, *lblTitle = nullptr, *lblVersion = nullptr, *lblDescription = nullptr,
           *lblDisclaimer = nullptr;
    QPushButton *cmdOK = nullptr, *cmdSysInfo = nullptr;

private:
    Prompter &m_prompter;
};

} // namespace vorlane
