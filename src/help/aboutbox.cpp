#include "help/aboutbox.h"

#include "widgets/prompter.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace vorlane {

AboutBox::AboutBox(Prompter &prompter, QWidget *parent) : QDialog(parent), m_prompter(prompter)
{
    const QString title = u"Vorlane"_s;
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"About "_s + title);
    setModal(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(u"picIcon"_s);
    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_FileDialogDetailedView)
                                                            : QApplication::windowIcon();
    picIcon->setPixmap(icon.pixmap(48, 48));
    lblTitle = new QLabel(title, this);
    lblTitle->setObjectName(u"lblTitle"_s);
    QFont big = lblTitle->font();
    // The program sets its font in pixels (scaled to the screen): grow whichever is set.
    if (big.pixelSize() > 0)
        big.setPixelSize(qRound(big.pixelSize() * 1.6));
    else
        big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel(u"Version "_s + QStringLiteral(VORLANE_VERSION), this);
    lblVersion->setObjectName(u"lblVersion"_s);
    lblDescription = new QLabel(u"Ostrel Development Team"_s, this);
    lblDescription->setObjectName(u"lblDescription"_s);
    lblDisclaimer = new QLabel(u"Warning: the summary slip is checked and completed at the post office counter."_s, this);
    lblDisclaimer->setObjectName(u"lblDisclaimer"_s);
    lblDisclaimer->setWordWrap(true);
    cmdOK = new QPushButton(u"OK"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(u"&System Info..."_s, this);
    cmdSysInfo->setObjectName(u"cmdSysInfo"_s);
    cmdOK->setAccessibleName(u"ตกลง"_s);
    cmdSysInfo->setAccessibleName(u"ข้อมูลระบบ"_s);
    // Return acts on the focused button: on "System Info..." it shows its message, not OK.
    cmdSysInfo->setAutoDefault(true);

    auto line = [this] {
        auto *f = new QFrame(this);
        f->setObjectName(u"Line1"_s);
        f->setFrameShape(QFrame::HLine);
        f->setFrameShadow(QFrame::Sunken);
        return f;
    };

    auto *grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2);
    grid->addWidget(lblDescription, 2, 1, 1, 2);
    grid->addWidget(line(), 3, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 4, 0, 2, 2);
    grid->addWidget(cmdOK, 4, 2);
    grid->addWidget(cmdSysInfo, 5, 2);
    grid->addWidget(line(), 6, 0, 1, 3);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::StartSysInfo);
}

void AboutBox::StartSysInfo()
{
    m_prompter.ok(u"System Information Is Unavailable At This Time"_s);
}

} // namespace vorlane
