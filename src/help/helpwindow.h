#pragma once
// Frmhelp: the user instructions from "helpcustomer.txt", read afresh at each opening.
#include "widgets/workwindow.h"

class QLabel;
class QPlainTextEdit;

namespace vorlane {

class CommandButton;

class HelpWindow : public WorkWindow {
    Q_OBJECT
public:
    // `helpFile`: the path of "helpcustomer.txt".
    HelpWindow(const QString &helpFile, QWidget *parent);

    // The text as read, CR LF after every line.
    QString text() const { return m_text; }
    bool fileFound() const { return m_found; }

    void Cmdclose_Click();

    // On "ปิด".
    void takeFocus() override;

Q_SIGNALS:
    // "ปิด": the window is on its way out; the entry window and the command bar come back.
    void closed();

protected:
private:
    void loadText(const QString &helpFile);
    void applyLayout() override;

    QPlainTextEdit *m_textBox = nullptr;
    CommandButton *m_closeButton = nullptr;
    QLabel *m_missingLabel = nullptr;  // shown only when the help file cannot be read
    QString m_text;
    bool m_found = false;
};

}  // namespace vorlane
