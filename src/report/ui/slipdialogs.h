#pragma once
// The dialogs around the slip that Qt would otherwise show in English: the PDF file name
// and the on-screen preview with a toolbar of the program's own.
#include <QDialog>
#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QPrintPreviewWidget;
class QToolBar;

namespace vorlane {

// Qt's own file dialog (not the desktop's), with Thai labels, asking for a ".pdf" name.
// Empty when the user cancels.
QString AskPdfPath(QWidget *parent, const QString &title, const QString &suggestion);
// The same dialog for another kind of file: `filter` as "แฟ้ม Excel (*.xlsx)", `suffix` added
// to a name typed without one.
QString AskSavePath(QWidget *parent, const QString &title, const QString &suggestion, const QString &filter,
                    const QString &suffix);

class SlipPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // `paint` draws the slip on the preview's pages.
    SlipPreviewDialog(QPrinter *printer, std::function<void(QPrinter *)> paint, QWidget *parent);

    // True when the user left through "พิมพ์": the caller then prints the way OK does.
    bool printRequested() const { return m_printRequested; }

    QPrintPreviewWidget *view() const { return m_view; }

private:
    QToolBar *m_toolBar = nullptr;
    QPrintPreviewWidget *m_view = nullptr;
    bool m_printRequested = false;
};

}  // namespace vorlane
