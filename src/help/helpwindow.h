#pragma once
// Frmhelp: the user instructions from "helpcustomer.txt", read afresh at each opening.
#include "widgets/workwindow.h"

class QLabel;
class QPlainTextEdit;

namespace vorlane {

struct Workspace;
class CommandButton;

class HelpWindow : public WorkWindow {
    Q_OBJECT
public:
    HelpWindow(Workspace &ws, QWidget *parent);

    // The text as read, CR LF after every line.
    QString text() const { return m_text; }
    bool fileFound() const { return m_found; }

    void Cmdclose_Click();

    QPlainTextEdit *Txthelp = nullptr;
    CommandButton *Cmdclose = nullptr;
    QLabel *Lblmissing = nullptr;  // shown only when the help file cannot be read

protected:

private:
    void loadText();
    void applyLayout() override;

    Workspace &m_ws;
    QString m_text;
    bool m_found = false;
};

} // namespace vorlane
