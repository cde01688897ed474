#pragma once
// Every message box of the program goes through this interface, so tests can answer
// them and check their exact texts.
#include <QString>

namespace vorlane {

class Prompter {
public:
    enum class Answer { Ok, Yes, No, Cancel };
    virtual ~Prompter() = default;
    // Notice or error: OK button, title "Vorlane", no icon.
    virtual void ok(const QString &text) = 0;
    // Question: Yes and No, title "Vorlane", no icon.
    virtual Answer yesNo(const QString &text) = 0;
    // Question: Yes, No and Cancel.
    virtual Answer yesNoCancel(const QString &text) = 0;
    // The report's failure box: information icon and a title of its own.
    virtual void information(const QString &title, const QString &text) = 0;
};

// Real message boxes, buttons in Thai.
class QtPrompter final : public Prompter {
public:
    void ok(const QString &text) override;
    Answer yesNo(const QString &text) override;
    Answer yesNoCancel(const QString &text) override;
    void information(const QString &title, const QString &text) override;
};

} // namespace vorlane
