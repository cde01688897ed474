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
    Txthelp = new QPlainTextEdit(this);
    Txthelp->setObjectName(u"Txthelp"_s);
    Txthelp->setAccessibleName(u"คำแนะนำการใช้โปรแกรม"_s);
    Txthelp->setReadOnly(true);
    Cmdclose = new CommandButton(u"ปิด"_s, this);
    Cmdclose->setObjectName(u"Cmdclose"_s);
    Lblmissing = new QLabel(this);
    Lblmissing->setObjectName(u"Lblmissing"_s);
    Lblmissing->hide();
    connect(Cmdclose, &QPushButton::clicked, this, &HelpWindow::Cmdclose_Click);
    setEscapeButton(Cmdclose);
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
    Txthelp->setPlainText(shown);
    if (!m_found) {
        Lblmissing->setText(HelpMissingText(failure));
        Lblmissing->show();
    }
}

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
    placeTwips(Txthelp, l.Txthelp, s);
    placeTwips(Cmdclose, l.Cmdclose, s);
    // The notice of a missing file sits in the space above the text box.
    layout::TwipRect notice{l.Txthelp.left, 50, l.Txthelp.width, 420};
    placeTwips(Lblmissing, notice, s);
}

} // namespace vorlane
