#include "report/ui/printoptionswindow.h"

#include "workbook/workbook.h"
#include "layout/printoptionslayout.h"
#include "records/session.h"
#include "report/ui/slipdialogs.h"
#include "widgets/commandbutton.h"
#include "widgets/prompter.h"
#include "widgets/uiscale.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QDir>
#include <QRadioButton>
#include <QScrollArea>

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {

// Sheets from which a run shows its progress; shorter ones finish before anyone could read it.
constexpr int kProgressFromSheets = 10;

QRadioButton *option(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

PrintOptionsWindow::PrintOptionsWindow(Session &session, Prompter &prompter, QWidget *parent)
    : WorkWindow(parent), m_session(session), m_prompter(prompter)
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"พิมพ์รายงานการฝากส่งธนาณัติ (แยกประเภท)"_s);

    m_typeGroup = new QGroupBox(u"เลือกประเภทธนาณัติ"_s, this);
    m_typeGroup->setObjectName(u"Frame1"_s);
    for (int i = 0; i < int(m_typeOptions.size()); ++i)
        m_typeOptions[size_t(i)] = option(u"Option1_%1"_s.arg(i), QString(), m_typeGroup);

    m_pagesGroup = new QGroupBox(u"เลือกรูปแบบการพิมพ์"_s, this);
    m_pagesGroup->setObjectName(u"Frame2"_s);
    m_allPages = option(u"Option2"_s, u"ทั้งหมด"_s, m_pagesGroup);
    m_pageRange = option(u"Option3"_s, u"หน้า"_s, m_pagesGroup);
    m_firstPageLabel = new QLabel(u"เริ่มที่"_s, m_pagesGroup);
    m_firstPageLabel->setObjectName(u"Label1"_s);
    m_firstPageBox = new QLineEdit(m_pagesGroup);
    m_firstPageBox->setObjectName(u"Text1"_s);
    m_lastPageLabel = new QLabel(u"ถึง"_s, m_pagesGroup);
    m_lastPageLabel->setObjectName(u"Label2"_s);
    m_lastPageBox = new QLineEdit(m_pagesGroup);
    m_lastPageBox->setObjectName(u"Text2"_s);
    m_firstPageBox->setAccessibleName(u"หน้า เริ่มที่"_s);
    m_lastPageBox->setAccessibleName(u"หน้า ถึง"_s);

    m_paperGroup = new QGroupBox(u"เลือกประเภทกระดาษ"_s, this);
    m_paperGroup->setObjectName(u"Frame3"_s);
    m_letterPaper = option(u"Option4"_s, u"กระดาษต่อเนื่อง(Letter)"_s, m_paperGroup);
    m_a4Paper = option(u"Option5"_s, u"กระดาษ A4"_s, m_paperGroup);

    m_okCancel[0] = new CommandButton(u"ตกลง"_s, this);
    m_okCancel[0]->setObjectName(u"Command1_0"_s);
    m_okCancel[1] = new CommandButton(u"ยกเลิก"_s, this);
    m_okCancel[1]->setObjectName(u"Command1_1"_s);
    m_previewButton = new CommandButton(u"ดูตัวอย่าง"_s, this);
    m_previewButton->setObjectName(u"CmdPreview"_s);
    m_pdfButton = new CommandButton(u"บันทึกเป็น PDF"_s, this);
    m_pdfButton->setObjectName(u"CmdPdf"_s);
    m_excelButton = new CommandButton(u"บันทึกเป็น Excel"_s, this);
    m_excelButton->setObjectName(u"CmdExcel"_s);
    m_excelButton->setAccessibleName(u"บันทึกเป็น Excel"_s);

    connect(m_okCancel[0], &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(m_okCancel[1], &QPushButton::clicked, this, [this] { Command1_Click(1); });
    setEscapeButton(m_okCancel[1]);
    connect(m_previewButton, &QPushButton::clicked, this, &PrintOptionsWindow::Preview_Click);
    connect(m_pdfButton, &QPushButton::clicked, this, &PrintOptionsWindow::SavePdf_Click);
    connect(m_excelButton, &QPushButton::clicked, this, &PrintOptionsWindow::SaveExcel_Click);
    connect(m_pageRange, &QRadioButton::clicked, this, &PrintOptionsWindow::Option3_Click);
    m_firstPageBox->installEventFilter(this);
    m_lastPageBox->installEventFilter(this);
    // A page typed into either box means printing a range, by keyboard as by mouse.
    for (QLineEdit *page : {m_firstPageBox, m_lastPageBox})
        connect(page, &QLineEdit::textEdited, this, [this] { m_pageRange->setChecked(true); });

    findPrinter = [] { return DefaultPrinterName(); };
    printOnPrinter = [](const QString &printer, const SlipJob &job, const SlipProgress &progress) {
        return PrintSlip(printer, job, progress);
    };
    choosePdfPath = [this] { return AskPdfPath(this, u"บันทึกใบฝากเป็น PDF"_s, suggestedPath(u".pdf"_s)); };
    chooseExcelPath = [this] {
        return AskSavePath(this, u"บันทึกเป็น Excel"_s, suggestedPath(u".xlsx"_s), u"แฟ้ม Excel (*.xlsx)"_s, u"xlsx"_s);
    };
    showPreview = [this](const SlipJob &job) {
        QPrinter printer(QPrinter::HighResolution);
        bool reported = false;
        SlipPreviewDialog dialog(
            &printer,
            [&](QPrinter *p) {
                const SlipResult result = PaintSlip(p, job);
                // The preview repaints on every zoom; say what went wrong once.
                if (!reported && result.status != SlipResult::Status::Printed) {
                    reported = true;
                    report(result);
                }
            },
            this);
        dialog.setWindowTitle(u"ตัวอย่างใบฝากธนาณัติในประเทศรวม"_s);
        dialog.exec();
        // Printing from the preview is the window's own OK: same checks, same queue rule.
        if (dialog.printRequested())
            Command1_Click(0);
    };

    // On a small logical screen (a large scale factor) the controls are laid out at a
    // readable size on a page that scrolls, rather than squeezed over each other.
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(u"Scroll"_s);
    m_scroll->setFrameShape(QFrame::NoFrame);
    auto *page = new QWidget;
    page->setObjectName(u"Page"_s);
    for (QWidget *c : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (c != m_scroll)
            c->setParent(page);
    m_scroll->setWidget(page);

    loadTypeCaptions();
    applyLayout();
}

QString PrintOptionsWindow::suggestedPath(const QString &suffix) const
{
    QString suggestion = QFileInfo(m_session.batch.CurrentFilePath()).completeBaseName();
    if (suggestion.isEmpty())
        suggestion = u"slip"_s;
    const QString dir = m_session.batch.isUnnamed() ? QString()
                                                    : QFileInfo(m_session.batch.CurrentFilePath()).absolutePath();
    return (dir.isEmpty() ? QString() : dir + u'/') + suggestion + suffix;
}

void PrintOptionsWindow::loadTypeCaptions()
{
    const CodeNameTable &table = m_session.tables.reportTypes;
    List1_0 = table.codes;
    List1_1 = table.names;
    // One caption per button; entries beyond the fourteenth have no button.
    for (int i = 0; i < int(m_typeOptions.size()) && i < List1_1.size(); ++i)
        m_typeOptions[size_t(i)]->setText(List1_1.at(i));
}

PrintChoices PrintOptionsWindow::choices() const
{
    PrintChoices c;
    for (int i = 0; i < int(m_typeOptions.size()); ++i) {
        if (m_typeOptions[size_t(i)]->isChecked()) {
            c.typeIndex = i;
            break;
        }
    }
    c.allPages = m_allPages->isChecked();
    c.pageRange = m_pageRange->isChecked();
    c.a4 = m_a4Paper->isChecked();
    c.firstPage = m_firstPageBox->text();
    c.lastPage = m_lastPageBox->text();
    return c;
}

void PrintOptionsWindow::apply(const CheckOutcome &o)
{
    if (!o.message.isEmpty())
        m_prompter.ok(o.message);
    if (o.clear == PageBox::First)
        m_firstPageBox->clear();
    else if (o.clear == PageBox::Last)
        m_lastPageBox->clear();
    switch (o.focus) {
    case PageBox::First: m_firstPageBox->setFocus(); break;
    case PageBox::Last: m_lastPageBox->setFocus(); break;
    case PageBox::OkButton: m_okCancel[0]->setFocus(); break;
    case PageBox::None: break;
    }
}

std::optional<SlipRequest> PrintOptionsWindow::checkedRequest()
{
    const CheckOutcome o = CheckPrintChoices(choices(), m_session.batch.lines(), m_session.lstMO2);
    if (!o.accepted) {
        apply(o);
        return std::nullopt;
    }
    return o.request;
}

SlipJob PrintOptionsWindow::job(const SlipRequest &request)
{
    return SlipJob{m_session.batch.lines(), m_session.lstMO2, m_session.tables.rates, request};
}

bool PrintOptionsWindow::report(const SlipResult &result)
{
    switch (result.status) {
    case SlipResult::Status::Printed: return true;
    case SlipResult::Status::Empty: m_prompter.ok(kNothingToPrint); break;
    case SlipResult::Status::Failed: m_prompter.information(kErrorTitle, result.errorText()); break;
    case SlipResult::Status::Cancelled:
    case SlipResult::Status::NotRun: break;
    }
    return false;
}

SlipProgress PrintOptionsWindow::progressFor(const QString &label)
{
    auto dialog = std::make_shared<std::unique_ptr<QProgressDialog>>();
    return [this, dialog, label](int done, int total) {
        if (total < kProgressFromSheets)
            return true;
        if (!*dialog) {
            *dialog = std::make_unique<QProgressDialog>(label, u"ยกเลิก"_s, 0, total, this);
            (*dialog)->setWindowModality(Qt::WindowModal);
            (*dialog)->setMinimumDuration(400);
        }
        // A modal progress dialog keeps the window painted and the cancel button live.
        (*dialog)->setValue(done);
        return !(*dialog)->wasCanceled();
    };
}

bool PrintOptionsWindow::writePdf(const SlipRequest &request)
{
    const QString path = choosePdfPath();
    if (path.isEmpty())
        return false;
    if (!report(WriteSlipPdf(path, job(request), progressFor(u"กำลังบันทึกใบฝาก..."_s))))
        return false;
    // The file is the user's print job now: say where it is.
    m_prompter.ok(QDir::toNativeSeparators(path) + u"   บันทึกแล้ว"_s);
    return true;
}

void PrintOptionsWindow::Command1_Click(int index)
{
    if (index != 0) {
        ClosePrintOptions();
        return;
    }
    const std::optional<SlipRequest> request = checkedRequest();
    if (!request)
        return;
    // All pages of a type without records: said before any question about printers or
    // files, and the window closes as after a run.
    const RecordStore &all = m_session.batch.lines();
    if (request->mode == PageMode::All
        && (request->typeCode == kAllTypes ? all.isEmpty() : SelectReportRecords(all, request->typeCode).isEmpty())) {
        m_prompter.ok(kNothingToPrint);
        ClosePrintOptions();
        return;
    }
    const QString printer = findPrinter();
    if (printer.isEmpty()) {
        // Without a print queue the slip can still go to a file the user prints elsewhere.
        if (m_prompter.yesNo(u"ไม่พบเครื่องพิมพ์ในระบบ ต้องการบันทึกใบฝากเป็นแฟ้ม PDF แทนหรือไม่"_s) != Prompter::Answer::Yes)
            return;
        if (choosePdfPath && writePdf(*request))
            ClosePrintOptions();
        return;
    }
    report(printOnPrinter(printer, job(*request), progressFor(u"กำลังพิมพ์ใบฝาก..."_s)));
    ClosePrintOptions();
}

void PrintOptionsWindow::Preview_Click()
{
    const std::optional<SlipRequest> request = checkedRequest();
    if (request)
        showPreview(job(*request));
}

void PrintOptionsWindow::SavePdf_Click()
{
    const std::optional<SlipRequest> request = checkedRequest();
    if (request)
        writePdf(*request);
}

void PrintOptionsWindow::SaveExcel_Click()
{
    const std::optional<SlipRequest> request = checkedRequest();
    if (!request)
        return;
    const QStringList lines = SelectedSlipLines(m_session.batch.lines(), *request);
    if (lines.isEmpty()) {
        m_prompter.ok(kNothingToPrint);
        return;
    }
    const QString path = chooseExcelPath();
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteWorkbook(path, lines, m_session.tables.rates, &error)) {
        m_prompter.information(kErrorTitle, error);
        return;
    }
    m_prompter.ok(QDir::toNativeSeparators(path) + u"   บันทึกแล้ว"_s);
}

void PrintOptionsWindow::Option3_Click() { m_firstPageBox->setFocus(); }

void PrintOptionsWindow::Text1_Enter() { apply(CheckFirstPageEnter(m_firstPageBox->text(), m_session.batch.lines())); }

void PrintOptionsWindow::Text2_Enter()
{
    apply(CheckLastPageEnter(m_firstPageBox->text(), m_lastPageBox->text(), m_session.batch.lines()));
}

void PrintOptionsWindow::ClosePrintOptions()
{
    // The run read the records without touching the entry window; the record shown
    // before printing comes back as after any other work window.
    hide();
    Q_EMIT finished();
}

void PrintOptionsWindow::takeFocus() { m_okCancel[0]->setFocus(Qt::OtherFocusReason); }

void PrintOptionsWindow::proposeDefaults()
{
    // The first opening proposes the common case: every type, every page, A4. The window
    // lives on, so later openings keep what was chosen (a clerk prints type by type).
    if (!m_opened) {
        m_typeOptions[13]->setChecked(true);
        m_allPages->setChecked(true);
        m_a4Paper->setChecked(true);
        m_opened = true;
    }
    takeFocus();
}

bool PrintOptionsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_firstPageBox || watched == m_lastPageBox) {
        if (event->type() == QEvent::MouseButtonPress) {
            // Typing a page means printing a range.
            m_pageRange->setChecked(true);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (watched == m_firstPageBox)
                    Text1_Enter();
                else
                    Text2_Enter();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PrintOptionsWindow::applyLayout()
{
    layout::Screen s = currentScreen(this);
    // Below 800 x 600 logical pixels the page keeps that size and scrolls.
    s.W = std::max(s.W, 800 * s.twipsPerPixel);
    s.H = std::max(s.H, 600 * s.twipsPerPixel);
    const layout::PrintOptionsLayout l = layout::printOptionsLayout(s);
    placeTwips(m_typeGroup, l.Frame1, s);
    placeTwips(m_pagesGroup, l.Frame2, s);
    placeTwips(m_paperGroup, l.Frame3, s);
    for (size_t i = 0; i < m_typeOptions.size(); ++i) {
        placeTwips(m_typeOptions[i], l.Option1[i], s);
        fitText(m_typeOptions[i], m_typeOptions[i]->text());
    }
    placeTwips(m_allPages, l.Option2, s);
    placeTwips(m_pageRange, l.Option3, s);
    placeTwips(m_firstPageLabel, l.Label1, s);
    placeTwips(m_firstPageBox, l.Text1, s);
    placeTwips(m_lastPageLabel, l.Label2, s);
    placeTwips(m_lastPageBox, l.Text2, s);
    placeTwips(m_letterPaper, l.Option4, s);
    placeTwips(m_a4Paper, l.Option5, s);
    CommandButton *buttons[layout::kCommandButtons] = {m_okCancel[0], m_okCancel[1], m_previewButton, m_pdfButton,
                                                       m_excelButton};
    for (size_t i = 0; i < size_t(layout::kCommandButtons); ++i) {
        placeTwips(buttons[i], l.buttons[i], s);
        fitText(buttons[i], buttons[i]->text());
    }
    // The page holds every control; the scroll bars appear only when it is larger.
    QRect used;
    for (QWidget *c : m_scroll->widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        used |= c->geometry();
    m_scroll->widget()->resize(used.right() + 8, used.bottom() + 8);
    m_scroll->setGeometry(rect());
}

}  // namespace vorlane
