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

private:
    QLabel *m_icon = nullptr, *m_title = nullptr, *m_version = nullptr, *m_description = nullptr,
           *m_disclaimer = nullptr;
    QPushButton *m_okButton = nullptr, *m_sysInfoButton = nullptr;
    Prompter &m_prompter;
};

}  // namespace vorlane
