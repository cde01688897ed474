#pragma once
// Frmsearch: finds a destination post office by the beginning of its postcode or name
// and hands it to the entry window.
#include "widgets/workwindow.h"
#include <array>

class QLabel;
class QLineEdit;

namespace vorlane {

struct Workspace;
class CommandButton;

class SearchWindow : public WorkWindow {
    Q_OBJECT
public:
    SearchWindow(Workspace &ws, QWidget *parent);

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

protected:

private:
    void leave();
    void applyLayout() override;

    Workspace &m_ws;
    int m_foundIndex = -1;
};

} // namespace vorlane
