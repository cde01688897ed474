#include "rules/depositorrules.h"

#include "rules/entryrules.h"

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// Blank, or holding a character "cusname.txt" cannot hold: a message, and the box keeps
// the focus.
DepositorOutcome checkBox(DepositorControl box, const QString &text)
{
    DepositorOutcome o;
    if (text.trimmed().isEmpty()) {
        o.message = box == DepositorControl::Name ? u"ยังไม่ได้พิมพ์ชื่อผู้ฝาก"_s : u"ยังไม่ได้พิมพ์ที่อยู่ผู้ฝาก"_s;
        o.clears = true;
    } else {
        // The depositor goes into every record: the record's own limits hold here.
        o.message = StorableTextRefusal(text);
        if (o.passed())
            return o;
    }
    o.box = box;
    o.focus = box;
    return o;
}

}  // namespace

DepositorOutcome depositorEnterRule(DepositorControl box, const QString &name, const QString &address)
{
    const bool isName = box == DepositorControl::Name;
    DepositorOutcome o = checkBox(box, isName ? name : address);
    if (o.passed())
        o.focus = isName ? DepositorControl::Address : DepositorControl::Confirm;
    return o;
}

DepositorOutcome depositorConfirmRule(const QString &name, const QString &address)
{
    DepositorOutcome o = checkBox(DepositorControl::Name, name);
    return o.passed() ? checkBox(DepositorControl::Address, address) : o;
}

}  // namespace vorlane
