#pragma once
// Form1: the entry window. Keys, shows and corrects one money order at a time, holds the
// record counter and the batch totals. The public operations below are what the other
// windows call; the controls are the window's own.
#include "rules/entryrules.h"
#include "records/batch.h"

#include <QStringList>
#include <QPointer>
#include <QWidget>
#include <array>

class QLineEdit;
class QComboBox;
class QLabel;
class QFrame;

namespace vorlane {

class Prompter;
struct Session;
class CommandButton;

class EntryWindow : public QWidget {
    Q_OBJECT
public:
    EntryWindow(Session &session, Prompter &prompter, QWidget *parent);
    ~EntryWindow() override;

    // Empties the eight fields, then fills them from a record line (change rules run).
    void LoadLineIntoEntryFields(const QString &line);
    // Recomputes the totals and the counter; an empty batch shows type "101".
    void RefreshTotals();
    // "เพิ่ม": begins a new record (also run by a new batch and the depositor dialog).
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
    // Enables "เพิ่ม", "แทรก", "ลบ", "บันทึก" and "ยกเลิก".
    void enableRecordButtons();
    // The window's title (EntryBaseCaption + blanks + path, as the flows set it).
    void setCaption(const QString &caption);
    QString caption() const;
    // Gives the focus to the postcode selector Combo1(2).
    void focusPostcode();

    // Where the keyboard focus goes when the window comes back from a work window.
    enum class FocusOn {
        AsBefore,    // the control that had it when the work window opened (a cancel)
        FirstField,  // the type code of the record shown (an order chosen to correct)
        Recipient,   // the recipient's name (a post office chosen in the search)
        AddButton,   // "เพิ่ม" (a batch brought back after an unclean end)
    };
    // The batch's current record on screen, or the new-record defaults of an empty batch,
    // with the counter and the totals (and the record buttons on for a record), then the
    // focus where the clerk goes on.
    void showCurrentRecord(FocusOn focus);
    // The program closed: the fields, the type code and the search box emptied, the window
    // hidden. The totals are worked out again after a save; else the amount shows "0".
    void closeBatch(bool saved);
    // A post office chosen in the search: named in the record, unless it names one already.
    void takePostOffice(int index);
    // Notes the control that has the focus, before another window takes the place.
    void rememberFocus();
    // Shown again, the focus where the clerk goes on.
    void comeBack(FocusOn where);

    // The record buttons' handlers, callable as clicks.
    void SaveAction();
    void InsertAction();
    void DeleteAction();
    void CancelAction();
    using Move = Batch::Move;
    void Navigate(Move move);
    // The record line the eight fields make, as the batch would store it.
    QString lineFromFields() const;
    // Lays the controls out again from the screen size.
    void applyLayout();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The controls, each with its designer name as object name (how tests and the
    // accessibility tree find it); m_fields is indexed by Field, m_selectors by Selector.
    std::array<QLineEdit *, kFieldCount> m_fields{};
    std::array<QComboBox *, kSelectorCount> m_selectors{};
    QLineEdit *m_searchBox = nullptr;
    QLabel *m_counter = nullptr;
    QLabel *m_totalAmount = nullptr;
    QLabel *m_totalFee = nullptr;
    CommandButton *m_addButton = nullptr, *m_insertButton = nullptr, *m_deleteButton = nullptr, *m_saveButton = nullptr,
                  *m_cancelButton = nullptr, *m_firstButton = nullptr, *m_previousButton = nullptr,
                  *m_nextButton = nullptr, *m_lastButton = nullptr;
    void setTotalsSpoken();
    QPointer<QWidget> m_focusBefore;
    void buildControls();
    // Selector rules.
    void typeCodeChanged();
    void postcodeChanged();
    void postOfficeNameChanged();
    void pickTypeCode(int p);
    void pickTypeName(int p);
    void pickPostcode(int p);
    void mirrorStep();
    // Keys.
    void enterInField(Field k);
    void enterInSelector(Selector k);
    void enterInAmount();
    // Save.
    bool runSaveChecks();
    bool confirmNotDuplicate();
    void commit();
    void searchChanged(const QString &text);
    // The screen of a record being begun, without the batch's state (Add, and a delete
    // that empties the batch).
    void showNewRecord();
    void emptyRecordFields();
    void setButtons(int add, int del, int save, int cancel, int insert);
    void focusTo(QWidget *w);
    // The texts the checks look at, and the application of what they decide.
    EntryDraft draft() const;
    QWidget *control(Control c) const;
    void applyAction(const RuleAction &a);
    // Shows the outcome and applies it; false when the handling stops there.
    bool applyOutcome(const RuleOutcome &o);

    Session &m_session;
    Prompter &m_prompter;
    QStringList m_typeCodes, m_typeNames, m_postcodes, m_postOfficeNames;
    // Set while the postcode rules write the name selector, so that the name rule does
    // not move the postcode to the first office of a name several offices share.
    bool m_postcodeWriting = false;

    QFrame *Frame4 = nullptr, *Frame2 = nullptr, *Frame1 = nullptr, *Frame3 = nullptr;
    std::array<QLabel *, 7> m_fieldLabels{};
    QString m_counterPattern = CounterFitPattern(
        QString());  // what m_counter's font is fitted to  // Label4, Label7, Label8, Label10, Label9, Label11, Label6
    QLabel *Label18 = nullptr, *Label12 = nullptr, *Label14 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
};

}  // namespace vorlane
