#include "widgets/commandbutton.h"

#include <QKeyEvent>

namespace vorlane {

CommandButton::CommandButton(const QString &text, QWidget *parent) : QPushButton(text, parent)
{
    setAutoDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    // The keypad's Enter presses too: amounts are keyed on the keypad.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (isEnabled())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace vorlane
