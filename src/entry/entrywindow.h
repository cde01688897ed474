#pragma once
// Form1: the entry window. Keys, shows and corrects one money order at a time, holds the
// record counter and the batch totals. The public operations below are what the other
// windows call; control members carry their designer names.
#include <QWidget>
#include <array>

class QLineEdit;
class QComboBox;
class QLabel;

namespace vorlane {

struct Workspace;
class CommandButton;

class EntryWindow : public QWidget {
    Q_OBJECT
public:
    EntryWindow(Workspace &ws, QWidget *parent);
    ~EntryWindow() override;

    // Empties the eight fields, then fills them from a record line (change rules run).
    void LoadLineIntoEntryFields(const QString &line);
    // Recomputes the totals and the counter; an empty batch shows type "101".
    void RefreshTotals();
    // Cmdadd: begins a new record (also run by a new batch and the depositor dialog).
    void AddAction();
    // Ends an insertion that will not be saved: insert mode off, held records dropped.
    void AbandonInsertion();

    // Text1(i) := text, running that field's change rule at once.
    void setField(int i, const QString &text);
    QString field(int i) const;
    // Label1, the record counter.
    void setCounterText(const QString &text);
    QString counterText() const;
    // The pick rule of the post-office-name selector Combo1(3) for list entry `index`.
    void pickPostOfficeName(int index);
    // Clears the selection of Combo1(3).
    void clearPostOfficeNameSelection();
    // Enables Cmdadd, Cmdinsert, Cmddel, Cmdsave and Cmdcancel.
    void enableRecordButtons();
    // The window's title (EntryBaseCaption + blanks + path, as the flows set it).
    void setCaption(const QString &caption);
    QString caption() const;
    // Gives the focus to the postcode selector Combo1(2).
    void focusPostcode();

    // Controls, by designer name.
    std::array<QLineEdit *, 8> Text1{};
    std::array<QComboBox *, 4> Combo1{};
    QLineEdit *Text2 = nullptr;  // record search box
    QLabel *Label1 = nullptr;    // counter
    QLabel *Label13 = nullptr;   // total amount
    QLabel *Label15 = nullptr;   // total fee
    CommandButton *Cmdadd = nullptr, *Cmdinsert = nullptr, *Cmddel = nullptr, *Cmdsave = nullptr,
                  *Cmdcancel = nullptr, *Cmdfirst = nullptr, *Cmdback = nullptr, *Cmdforward = nullptr,
                  *Cmdlast = nullptr;

private:
    Workspace &m_ws;
};

} // namespace vorlane
