#pragma once
#include <QPushButton>

namespace vorlane {

// A push button that Enter presses while it has the focus, as users of this program
// expect ("a second Enter saves"); Space still works as everywhere in Qt.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString &text = {}, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

}  // namespace vorlane
