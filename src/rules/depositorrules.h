#pragma once
// The depositor dialog's checks as pure functions: what Enter in a box and "ตกลง" decide
// for the two typed texts. The dialog applies the outcome. Qt Core only.
#include <QString>

namespace vorlane {

// The dialog's controls: the name box Text1, the address box Text2, the button "ตกลง".
enum class DepositorControl { None, Name, Address, Confirm };

struct DepositorOutcome {
    QString message;                                  // an OK box; empty when the check passed
    bool clears = false;                              // the box the message is about is emptied
    DepositorControl box = DepositorControl::None;    // the box the message is about
    DepositorControl focus = DepositorControl::None;  // where the focus goes
    bool passed() const { return message.isEmpty(); }
};

// Enter in the name or the address box: on success the focus moves on.
DepositorOutcome depositorEnterRule(DepositorControl box, const QString &name, const QString &address);
// "ตกลง": the name first, then the address; passed when both may be stored.
DepositorOutcome depositorConfirmRule(const QString &name, const QString &address);

}  // namespace vorlane
