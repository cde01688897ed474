#include "shell/workwindow.h"

#include <QCloseEvent>

namespace vorlane {

void WorkWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyLayout();
}

void WorkWindow::showEvent(QShowEvent *event)
{
    if (parentWidget())
        setGeometry(parentWidget()->rect());
    QWidget::showEvent(event);
    applyLayout();
}

void WorkWindow::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace vorlane
