#pragma once
// Frmsearch: finds a destination post office by the beginning of its postcode or name
// and hands it to the entry window.
#include "widgets/workwindow.h"
#include <array>

class QLabel;
class QLineEdit;

namespace vorlane {

class Prompter;
struct Session;
class CommandButton;

class SearchWindow : public WorkWindow {
    Q_OBJECT
public:
    SearchWindow(Session &session, Prompter &prompter, QWidget *parent);

    int foundIndex() const { return m_foundIndex; }

    void search(const QString &text);
    void Txtsearch_Enter();
    void Command1_2_Click();  // ตกลง
    void Command1_3_Click();  // ยกเลิก

    // Txtsearch(0) takes the search text, Txtsearch(1) shows the office found.
    enum Box : int { Typed = 0, Found = 1 };
    // On the search box.
    void takeFocus() override;

Q_SIGNALS:
    // The office at `index` of the post-office lists was chosen; whoever opened the
    // window hands it on and closes the window.
    void postOfficeChosen(int index);
    // "ยกเลิก" (or Esc): nothing is handed on.
    void cancelled();

private:
    void applyLayout() override;

    QLabel *m_prompt = nullptr;
    std::array<QLineEdit *, 2> m_boxes{};
    CommandButton *m_okButton = nullptr, *m_cancelButton = nullptr;
    Session &m_session;
    Prompter &m_prompter;
    int m_foundIndex = -1;
};

}  // namespace vorlane
