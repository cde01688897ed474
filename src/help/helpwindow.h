#pragma once
// Frmhelp: the user instructions from "helpcustomer.txt", read afresh at each opening.
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace vorlane {

struct Workspace;
class CommandButton;

class HelpWindow : public QWidget {
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
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void loadText();
    void applyLayout();

    Workspace &m_ws;
    QString m_text;
    bool m_found = false;
};

} // namespace vorlane
