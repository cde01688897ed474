#pragma once
// The entry window's checks as pure functions: what Enter in a field or selector and the
// save button decide for given texts. The window applies the outcome; the spreadsheet
// import runs the same save checks over each row. Qt Core only.
#include "records/recordgate.h"
#include "records/recordline.h"
#include "records/session.h"
#include "records/texthelpers.h"

#include <QList>
#include <QString>

namespace vorlane {

// The selectors Combo1(k): the type pair and the destination pair, each two parallel lists.
enum Selector : int {
    TypeCodeBox = 0,
    TypeNameBox = 1,
    PostcodeBox = 2,
    OfficeNameBox = 3,
};
inline constexpr int kSelectorCount = 4;

// The fields the user types into; the others mirror a selector.
inline constexpr Field kTypedFields[] = {RecipientName, DepositorName, Amount, RecipientAddress, DepositorAddress};
inline constexpr Field kMirrorFields[] = {TypeCode, DestPostcode, DestPostOfficeName};

// A control of the entry window: 0..7 the text fields Text1(k), 10 + k the selectors
// Combo1(k), and the save button.
enum class Control : int {
    None = -1,
    TypeSelector = 10 + TypeCodeBox,
    TypeNameSelector = 10 + TypeNameBox,
    PostcodeSelector = 10 + PostcodeBox,
    OfficeSelector = 10 + OfficeNameBox,
    OfficeOrPostcodeSelector = 14,  // the office selector, or the postcode selector while it is disabled
    SaveButton = 20,
};
constexpr Control textField(Field k) { return Control(int(k)); }
constexpr Control selectorControl(Selector k) { return Control(10 + int(k)); }
// The field or selector a control stands for; -1 when it is neither.
constexpr int fieldOf(Control c) { return int(c) >= 0 && int(c) < kFieldCount ? int(c) : -1; }
constexpr int selectorOf(Control c) { return int(c) >= 10 && int(c) < 10 + kSelectorCount ? int(c) - 10 : -1; }

// What the window does after a message (or after an answer): empty these controls in
// order, then give the focus to one.
struct RuleAction {
    QList<Control> cleared;
    Control focus = Control::None;
};

struct RuleOutcome {
    Control advance = Control::None;  // the focus moves here before anything is shown
    QString message;                  // an OK box; empty when the check passed
    QString question;                 // a Yes/No box instead; Yes runs onYes and goes on, No runs action and stops
    RuleAction action;
    RuleAction onYes;
    bool stops = false;  // the handling ends here (on save: nothing is stored)
    int field = -1;      // the record field (0..7) the message is about
    bool passed() const { return message.isEmpty() && question.isEmpty(); }
};

// The texts a check looks at: the eight fields, and the selectors' own texts (which the
// fields mirror while the window runs; a spreadsheet row has only the fields).
struct EntryDraft {
    MoneyOrderRecord record;
    QString typeText;      // Combo1(0)
    QString postcodeText;  // Combo1(2)
    QString officeText;    // Combo1(3)
    static EntryDraft fromRecord(const MoneyOrderRecord &r);
};

// The seven texts a user keys for one money order.
struct KeyedOrder {
    QString type, postcode, recipient, recipientAddress, depositor, depositorAddress, amount;
};
// The draft the entry window holds after these texts are typed into their controls: the
// post office's name comes from the table for the postcode (empty when not there).
EntryDraft draftFromKeyed(const KeyedOrder &keyed, const ReferenceTables &tables);

// Enter in text field k (the names and addresses).
RuleOutcome enterInFieldRule(Field k, const EntryDraft &d);
// Enter in the amount field.
RuleOutcome enterInAmountRule(const EntryDraft &d, const ReferenceTables &tables);
// Enter in selector k.
RuleOutcome enterInSelectorRule(Selector k, const EntryDraft &d, const ReferenceTables &tables);
// A type code picked from its list: what else the pick empties (type 112 has no destination).
RuleAction pickTypeCodeRule(const QString &code);
// Type 112, the one type sent without a destination post office.
bool isWithoutDestination(QStringView typeCode);

// The save checks in their order. Every outcome that shows something is listed, up to and
// including the first that stops; a question is listed as answered Yes (the checks after
// it do not depend on the answer). `d` becomes the draft as the window would then hold
// it (type 112 loses its postcode and office name).
QList<RuleOutcome> saveRules(EntryDraft &d, const ReferenceTables &tables);

struct SaveVerdict {
    bool stored = false;
    QList<RuleOutcome> outcomes;
    QString line;  // the record line stored (when stored)
};
// The save button for these keyed texts, each question answered `acceptUnknownPostcode`.
SaveVerdict saveKeyed(const KeyedOrder &keyed, const ReferenceTables &tables, bool acceptUnknownPostcode);

// True when every character is one of "0" to "9" (also for the empty text).
bool IsAllDigits(QStringView text);

// What the record counter ("12 / 250") is sized for: "9999 / 9999" at least, and a larger
// count's own width in nines, so a batch of a hundred thousand is shown whole.
QString CounterFitPattern(const QString &counter);

}  // namespace vorlane
