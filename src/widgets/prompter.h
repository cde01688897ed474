#pragma once
// Every message box of the program goes through this interface, so tests can answer
// them and check their exact texts.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace vorlane {

class Prompter {
public:
    enum class Answer { Ok, Yes, No, Cancel };
    virtual ~Prompter() = default;
    // Notice or error: OK button, title "Vorlane", no icon.
    virtual void ok(const QString &text) = 0;
    // Question: Yes and No, title "Vorlane", no icon.
    virtual Answer yesNo(const QString &text) = 0;
    // The same, with "ไม่ใช่" as the default: for a question whose Enter must store nothing.
    virtual Answer yesNoDefaultNo(const QString &text) { return yesNo(text); }
    // The same, where Esc answers nothing and the box stays: for a question whose No
    // throws work away, which only an explicit "ไม่ใช่" may do.
    virtual Answer yesNoWithoutEscape(const QString &text) { return yesNo(text); }
    // Question: Yes, No and Cancel.
    virtual Answer yesNoCancel(const QString &text) = 0;
    // The report's failure box: information icon and a title of its own.
    virtual void information(const QString &title, const QString &text) = 0;
    // A window listing `rows` under `columns` below `text`, modal over the main window:
    // "บันทึกเป็นแฟ้ม" runs `save` (which says itself how it went), "ตกลง" goes on.
    virtual void rowList(const QString &title, const QString &text, const QStringList &columns,
                         const QList<QStringList> &rows, const std::function<void()> &save) = 0;
};

// Real message boxes, buttons in Thai.
class QtPrompter final : public Prompter {
public:
    void ok(const QString &text) override;
    Answer yesNo(const QString &text) override;
    Answer yesNoDefaultNo(const QString &text) override;
    Answer yesNoWithoutEscape(const QString &text) override;
    Answer yesNoCancel(const QString &text) override;
    void information(const QString &title, const QString &text) override;
    void rowList(const QString &title, const QString &text, const QStringList &columns, const QList<QStringList> &rows,
                 const std::function<void()> &save) override;
};

}  // namespace vorlane
