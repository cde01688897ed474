#include "help/helpwindow.h"

#include "widgets/uiscale.h"
#include "help/helptext.h"
#include "layout/helplayout.h"
#include "records/fileio.h"
#include "widgets/commandbutton.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace vorlane {

HelpWindow::HelpWindow(const QString &helpFile, QWidget *parent) : WorkWindow(parent)
{
    setObjectName(u"Frmhelp"_s);
    setWindowTitle(u"คำแนะนำ"_s);
    m_textBox = new QPlainTextEdit(this);
    m_textBox->setObjectName(u"Txthelp"_s);
    m_textBox->setAccessibleName(u"คำแนะนำการใช้โปรแกรม"_s);
    m_textBox->setReadOnly(true);
    m_closeButton = new CommandButton(u"ปิด"_s, this);
    m_closeButton->setObjectName(u"Cmdclose"_s);
    m_missingLabel = new QLabel(this);
    m_missingLabel->setObjectName(u"Lblmissing"_s);
    m_missingLabel->hide();
    connect(m_closeButton, &QPushButton::clicked, this, &HelpWindow::Cmdclose_Click);
    setEscapeButton(m_closeButton);
    applyLayout();
    loadText(helpFile);
}

void HelpWindow::loadText(const QString &helpFile)
{
    FileIoResult failure;
    const std::optional<QString> text = LoadHelpText(helpFile, &failure);
    m_found = text.has_value();
    m_text = text.value_or(QString());
    QString shown = m_text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    m_textBox->setPlainText(shown);
    if (!m_found) {
        m_missingLabel->setText(HelpMissingText(failure));
        m_missingLabel->show();
    }
}

void HelpWindow::takeFocus() { m_closeButton->setFocus(Qt::OtherFocusReason); }

void HelpWindow::Cmdclose_Click()
{
    Q_EMIT closed();
    hide();
    deleteLater();
}

void HelpWindow::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const layout::HelpLayout l = layout::helpLayout(s);
    placeTwips(m_textBox, l.Txthelp, s);
    placeTwips(m_closeButton, l.Cmdclose, s);
    // The notice of a missing file sits in the space above the text box.
    layout::TwipRect notice{l.Txthelp.left, 50, l.Txthelp.width, 420};
    placeTwips(m_missingLabel, notice, s);
}

}  // namespace vorlane
