#pragma once
// The checks of the print options window, kept apart from the widgets so the command
// line refuses exactly what the window refuses.
#include "records/recordstore.h"
#include "report/slip.h"

#include <array>

namespace vorlane {

// Type code chosen by each of the fourteen type buttons; the last covers all types.
inline const std::array<QString, 14> kReportTypeCodes = {
    QStringLiteral("101"), QStringLiteral("103"), QStringLiteral("104"), QStringLiteral("105"), QStringLiteral("106"),
    QStringLiteral("107"), QStringLiteral("108"), QStringLiteral("110"), QStringLiteral("111"), QStringLiteral("112"),
    QStringLiteral("113"), QStringLiteral("114"), QStringLiteral("115"), QStringLiteral("999")};

// What the user chose in the window.
struct PrintChoices {
    int typeIndex = -1;      // first selected type button, -1 for none
    bool allPages = false;   // "ทั้งหมด"
    bool pageRange = false;  // "หน้า"
    bool a4 = false;         // "กระดาษ A4"; otherwise Letter
    QString firstPage;       // the page boxes as typed
    QString lastPage;
};

enum class PageBox { None, First, Last, OkButton };

struct CheckOutcome {
    bool accepted = false;  // print with `request`
    QString message;        // shown when not accepted (may be empty for a plain focus move)
    PageBox clear = PageBox::None;
    PageBox focus = PageBox::None;
    SlipRequest request;
};

// OK: every check in order; `selected` is refilled for a single type, as the report does.
CheckOutcome CheckPrintChoices(const PrintChoices &choices, const RecordStore &all, RecordStore &selected);
// The same checks over a count of the orders of a type ("999": all of them), asked for
// only when pages are chosen.
CheckOutcome CheckPrintChoices(const PrintChoices &choices, const std::function<qsizetype(const QString &)> &countOf);
// Enter in the first-page box and in the last-page box (pages counted over all records).
CheckOutcome CheckFirstPageEnter(const QString &firstPage, const RecordStore &all);
CheckOutcome CheckLastPageEnter(const QString &firstPage, const QString &lastPage, const RecordStore &all);

// A page number as the checks read it: numeric, rounded to a whole number, within `bits`
// (16 or 32) signed bits; larger numbers count as not numeric.
std::optional<qint64> ReadPageNumber(const QString &text, int bits = 32);

}  // namespace vorlane
