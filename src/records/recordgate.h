#pragma once
// What a record may hold. Every record that enters a batch, keyed or imported, passes
// here: codes lose the blanks around them, a line break or TAB inside a field becomes a
// blank, and what a data file cannot hold (a "|", a character outside code page 874, an
// invisible control, a field longer than an entry box takes) is refused with a message
// that names it. A file opened from disk keeps its bytes; "check" reports what this
// would have changed. Qt Core only.
#include "records/recordline.h"

#include <QString>
#include <QStringView>

namespace vorlane {

// The longest text one field may hold, keyed or imported alike.
inline constexpr int kMaxFieldChars = 250;

// The field as it is stored: codes (type, postcode) trimmed of white space, every run of
// line breaks and TABs inside a field one blank (dropped at its ends), zero-width spaces
// dropped.
QString NormaliseField(int field, QStringView text);

// Why a field, once normalised, cannot be stored; empty when it can. The messages are the
// entry window's own.
QString FieldRefusal(QStringView text);

// Too long, or a character the file cannot hold: for texts kept outside a record line as
// well (the depositor's details).
QString StorableTextRefusal(QStringView text);

// The message for the first character code page 874 cannot hold, or an invisible control
// character, named by its code; empty when every character can be held.
QString unencodableMessage(QStringView text);

struct GateVerdict {
    MoneyOrderRecord record;  // as it may be stored
    int field = -1;           // the first field refused
    QString message;          // empty when admitted
    bool admitted() const { return message.isEmpty(); }
};
GateVerdict AdmitRecord(const MoneyOrderRecord &record);

// A line brought back from the recovery journal: unchanged, unless it holds a line break
// (kept by an older version of the program), which a data file cannot hold; then its
// fields as the gate stores them.
QString RestorableLine(const QString &line);

// What the gate would change in a stored record line: the first field that differs and
// what is wrong with it, for "check". Empty message when nothing would change.
GateVerdict ReviewStoredLine(QStringView line);

}  // namespace vorlane
