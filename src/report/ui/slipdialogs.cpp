#include "report/ui/slipdialogs.h"

#include <QAction>
#include <QFileDialog>
#include <QToolButton>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vorlane {

QString AskPdfPath(QWidget *parent, const QString &title, const QString &suggestion)
{
    return AskSavePath(parent, title, suggestion, u"แฟ้ม PDF (*.pdf)"_s, u"pdf"_s);
}

QString AskSavePath(QWidget *parent, const QString &title, const QString &suggestion, const QString &filter,
                    const QString &suffix)
{
    // The desktop's dialog would follow the desktop's language; Qt's can be labelled.
    QFileDialog dialog(parent, title, suggestion, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.setLabelText(QFileDialog::LookIn, u"ค้นใน:"_s);
    dialog.setLabelText(QFileDialog::FileName, u"ชื่อแฟ้ม:"_s);
    dialog.setLabelText(QFileDialog::FileType, u"ชนิดแฟ้ม:"_s);
    dialog.setLabelText(QFileDialog::Accept, u"บันทึก"_s);
    dialog.setLabelText(QFileDialog::Reject, u"ยกเลิก"_s);
    // The detail view's dates follow the system's locale, which need not be Thai: names only.
    dialog.setViewMode(QFileDialog::List);
    for (const char *name : {"detailModeButton", "listModeButton"})
        if (auto *button = dialog.findChild<QToolButton *>(QLatin1StringView(name)))
            button->hide();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

SlipPreviewDialog::SlipPreviewDialog(QPrinter *printer, std::function<void(QPrinter *)> paint, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"SlipPreview"_s);
    m_view = new QPrintPreviewWidget(printer, this);
    m_view->setObjectName(u"PreviewView"_s);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [paint](QPrinter *p) { paint(p); });

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(u"PreviewToolBar"_s);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto add = [this](const QString &name, const QString &text, const QKeySequence &key, auto slot) {
        QAction *a = m_toolBar->addAction(text);
        a->setObjectName(name);
        a->setShortcut(key);
        if (!key.isEmpty())
            a->setToolTip(text + u" ("_s + key.toString(QKeySequence::NativeText) + u')');
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(u"PreviewPrint"_s, u"พิมพ์"_s, QKeySequence(u"Ctrl+P"_s), [this] {
        m_printRequested = true;
        accept();
    });
    m_toolBar->addSeparator();
    add(u"PreviewFirst"_s, u"หน้าแรก"_s, QKeySequence(Qt::Key_Home), [this] { m_view->setCurrentPage(1); });
    add(u"PreviewBack"_s, u"หน้าก่อน"_s, QKeySequence(Qt::Key_PageUp),
        [this] { m_view->setCurrentPage(m_view->currentPage() - 1); });
    add(u"PreviewForward"_s, u"หน้าถัดไป"_s, QKeySequence(Qt::Key_PageDown),
        [this] { m_view->setCurrentPage(m_view->currentPage() + 1); });
    add(u"PreviewLast"_s, u"หน้าสุดท้าย"_s, QKeySequence(Qt::Key_End),
        [this] { m_view->setCurrentPage(m_view->pageCount()); });
    m_toolBar->addSeparator();
    add(u"PreviewZoomIn"_s, u"ขยาย"_s, QKeySequence(u"Ctrl++"_s), [this] { m_view->zoomIn(); });
    add(u"PreviewZoomOut"_s, u"ย่อ"_s, QKeySequence(u"Ctrl+-"_s), [this] { m_view->zoomOut(); });
    add(u"PreviewFit"_s, u"เต็มหน้า"_s, QKeySequence(), [this] { m_view->fitInView(); });
    m_toolBar->addSeparator();
    add(u"PreviewClose"_s, u"ปิด"_s, QKeySequence(), [this] { reject(); });

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(m_toolBar);
    box->addWidget(m_view, 1);
    // A page a clerk can read: most of the program's window.
    const QSize room = parent ? parent->window()->size() : QSize(1024, 768);
    resize(room * 0.9);
}

}  // namespace vorlane
