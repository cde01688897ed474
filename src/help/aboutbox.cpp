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

    m_icon = new QLabel(this);
    m_icon->setObjectName(u"picIcon"_s);
    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_FileDialogDetailedView)
                                                           : QApplication::windowIcon();
    m_icon->setPixmap(icon.pixmap(48, 48));
    m_title = new QLabel(title, this);
    m_title->setObjectName(u"lblTitle"_s);
    QFont big = m_title->font();
    // The program sets its font in pixels (scaled to the screen): grow whichever is set.
    if (big.pixelSize() > 0)
        big.setPixelSize(qRound(big.pixelSize() * 1.6));
    else
        big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_title->setFont(big);
    m_version = new QLabel(u"Version "_s + QStringLiteral(VORLANE_VERSION), this);
    m_version->setObjectName(u"lblVersion"_s);
    m_description = new QLabel(u"Ostrel Development Team"_s, this);
    m_description->setObjectName(u"lblDescription"_s);
    m_disclaimer = new QLabel(u"Warning: the summary slip is checked and completed at the post office counter."_s,
                              this);
    m_disclaimer->setObjectName(u"lblDisclaimer"_s);
    m_disclaimer->setWordWrap(true);
    m_okButton = new QPushButton(u"OK"_s, this);
    m_okButton->setObjectName(u"cmdOK"_s);
    m_okButton->setDefault(true);
    m_sysInfoButton = new QPushButton(u"&System Info..."_s, this);
    m_sysInfoButton->setObjectName(u"cmdSysInfo"_s);
    m_okButton->setAccessibleName(u"ตกลง"_s);
    m_sysInfoButton->setAccessibleName(u"ข้อมูลระบบ"_s);
    // Return acts on the focused button: on "System Info..." it shows its message, not OK.
    m_sysInfoButton->setAutoDefault(true);

    auto line = [this] {
        auto *f = new QFrame(this);
        f->setObjectName(u"Line1"_s);
        f->setFrameShape(QFrame::HLine);
        f->setFrameShadow(QFrame::Sunken);
        return f;
    };

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(m_title, 0, 1, 1, 2);
    grid->addWidget(m_version, 1, 1, 1, 2);
    grid->addWidget(m_description, 2, 1, 1, 2);
    grid->addWidget(line(), 3, 0, 1, 3);
    grid->addWidget(m_disclaimer, 4, 0, 2, 2);
    grid->addWidget(m_okButton, 4, 2);
    grid->addWidget(m_sysInfoButton, 5, 2);
    grid->addWidget(line(), 6, 0, 1, 3);

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_sysInfoButton, &QPushButton::clicked, this, &AboutBox::StartSysInfo);
}

void AboutBox::StartSysInfo() { m_prompter.ok(u"System Information Is Unavailable At This Time"_s); }

}  // namespace vorlane
