#pragma once
#include <QWidget>

class QAbstractButton;

namespace vorlane {

// A work window shown in the main window beside the command bar: it fills that space, lays
// its controls out from the screen size whenever it is shown or resized, and is left only
// through its own buttons (a close from outside is refused).
class WorkWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // Shown in the work area: the focus on the control the window starts from.
    virtual void takeFocus() = 0;

protected:
    // Esc does what this button does (the window's "ยกเลิก"), while it can be clicked.
    void setEscapeButton(QAbstractButton *button);
    virtual void applyLayout() = 0;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};

}  // namespace vorlane
