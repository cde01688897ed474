#include "widgets/workwindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QShortcut>

namespace vorlane {

void WorkWindow::setEscapeButton(QAbstractButton *button)
{
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    // Only the shown work window's key is live: a hidden widget's shortcut never matches.
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, button, [button] {
        if (button->isVisible() && button->isEnabled())
            button->click();
    });
}

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

}  // namespace vorlane
