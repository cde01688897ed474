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
    QLabel *Label1 = nullptr;
    std::array<QLineEdit *, 2> Txtsearch{};
    CommandButton *Command1_2 = nullptr, *Command1_3 = nullptr;

Q_SIGNALS:
    // The office at `index` of the post-office lists was chosen; whoever opened the
    // window hands it on and closes the window.
    void postOfficeChosen(int index);
    // "ยกเลิก" (or Esc): nothing is handed on.
    void cancelled();

private:
    void applyLayout() override;

    Session &m_session;
    Prompter &m_prompter;
    int m_foundIndex = -1;
};

} // namespace vorlane
