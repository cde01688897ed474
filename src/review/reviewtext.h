#pragma once
// The review window's texts: one list item per record, and the labelled details.
#include "records/recordline.h"

#include <QString>

#include <optional>

namespace vorlane {

// The eight fields, each followed by a TAB.
QString ReviewListItem(const RecordFieldSlots &fields);

// The detail text is built in two slightly different forms: when the review opens
// (fee "##,###.00", four blanks before the unit, a closing CR LF) and after a click
// on an item (fee in plain decimal, three blanks, no closing CR LF).
enum class DetailForm { Opening, Click };

// No fee: the amount is beyond what the program computes exactly; said in its place.
QString ReviewDetailText(const RecordFieldSlots &fields, std::optional<double> fee, DetailForm form);

// "แก้ไข" takes the current item only when the user has clicked one since the list was
// filled and it is a record of the batch: the message when not, else empty.
QString ReviewEditRefusal(bool clicked, int row, qsizetype count);

}  // namespace vorlane
