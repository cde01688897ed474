#pragma once
// The summary deposit slip: one sheet's header, rows and footer, and the run that cuts
// the selected records into sheets of twelve. Everything is drawn on a PrintSurface.
#include "records/recordstore.h"
#include "records/tables.h"
#include "report/printsurface.h"

#include <QList>
#include <functional>
#include <optional>

namespace vorlane {

inline constexpr int kRecordsPerSheet = 12;
inline const QString kAllTypes = QStringLiteral("999");

// Sheets needed for n records, twelve a sheet (0 records: 0 sheets).
int PageCount(qsizetype n);

// The records a type code selects: the whole batch for "999", otherwise the lines whose
// type code matches (leading blanks ignored), each rebuilt from its eight fields.
QStringList SelectReportRecords(const RecordStore &all, const QString &typeCode);

// Where the current print line sits (its bottom edge, in cm). Single precision, as the
// positions that reach the printer are.
struct SlipCursor {
    float lineY = 0;
};

// Draws text with its top-left corner at (x, y).
void PrintTextAt(PrintSurface &s, const QString &text, float x, float y);

// A text made to fit `room` cm at the surface's current font size: drawn smaller when it
// is too wide, down to kSmallestTextShare of that size (still legible), and beyond that
// drawn whole at that size: no letter of a name is ever dropped. The surface is left at
// the size it had.
inline constexpr double kSmallestTextShare = 0.7;
struct FittedText {
    QString text;
    double size = 0;
};
FittedText FitTextToWidth(PrintSurface &s, const QString &text, double size, double room);

// Placement rules. "\" of the layout: the difference rounded to a whole number, then
// halved with the remainder dropped, so centred texts sit on whole centimetres.
double CentreX(PrintSurface &s, const QString &text, double left, double right);
double PageCentreX(PrintSurface &s, const QString &text);
double RightEdgeX(PrintSurface &s, const QString &text);  // right edge 1 cm from the right
// Right-aligns `text` against `reference` centred in [left, right].
double AlignedX(PrintSurface &s, const QString &text, const QString &reference, double left, double right);

struct HeaderTexts {
    QString title = QStringLiteral(u"ใบฝากธนาณัติในประเทศรวม");
    QString formName = QStringLiteral(u"ธน. 1 (พิเศษ)");
    QString sheetLabel = QStringLiteral(u"แผ่นที่.....");
    QString officeLine = QStringLiteral(
        u"ปณ................................................รหัสไปรษณีย์.........................");
    QString dateLine = QStringLiteral(u"วันที่ ...........  เดือน .............................. พ.ศ..................");
    QString depositorLabel = QStringLiteral(u"ชื่อผู้ฝากเงิน    ");
    QString depositorAddressLabel = QStringLiteral(u"ที่อยู่ผู้ฝากเงิน");
    QString broughtForwardLabel;  // "ยอดยกมา" after the first sheet
};

struct Depositor {
    QString name;
    QString address;
};

void PrintPageHeader(PrintSurface &s, SlipCursor &cursor, int sheet, const HeaderTexts &texts,
                     const Depositor &depositor);

// One row of the slip as it is printed.
struct SlipRow {
    int sequence = 0;  // position in the selected records + 1
    QString recipient, postcode, office, amount, typeCode, fee, recipientAddress;
};

struct RowsTexts {
    QString runningAmount, broughtForwardAmount, runningFee, broughtForwardFee;
};

void PrintPageRows(PrintSurface &s, SlipCursor &cursor, const QList<SlipRow> &rows, const RowsTexts &totals);

struct FooterTexts {
    QString runningAmount;
    QString label;
    QString totalCaption = QStringLiteral(u"รวมจำนวนเงิน");
    QString certification;
    QString signatureLine;
    QString signer1, signer2, signer3;
    QString runningFee;
};

// Totals distance T and certification distance C above the foot of the printable area.
struct FooterDistances {
    double totals = 3;
    double certification = 2.25;
};
FooterDistances FooterDistancesFor(int paperNumber);

void PrintPageFooter(PrintSurface &s, const FooterTexts &texts, const FooterDistances &d);

enum class PageMode { None, All, Range };

struct SlipRequest {
    QString typeCode = kAllTypes;
    QString firstPage;  // texts as typed; empty in all-pages mode
    QString lastPage;
    QString paperCode = QStringLiteral("1");
    PageMode mode = PageMode::All;
};

// The line as the slip of type `code` (trimmed) takes it: the order rewritten as a record
// line when it is of that type, nothing when it is not. Blanks around a file's code do not
// count.
std::optional<QString> SlipLineOfType(QStringView line, QStringView code);

// The record lines a request prints, in slip order: its type, then its sheets.
QStringList SelectedSlipLines(const RecordStore &all, const SlipRequest &request);

struct SlipResult {
    enum class Status { Printed, Empty, Failed, Cancelled, NotRun };
    Status status = Status::NotRun;
    int errorNumber = 0;
    QString errorDescription;
    int sheetsPrinted = 0;
    // The print server's own words, shown as it gives them after the Thai text.
    QString systemMessage;

    // "Error 13 : Type mismatch ให้ตรวจสอบเครื่องพิมพ์"
    QString errorText() const;
};

inline const QString kNothingToPrint = QStringLiteral(u"ไม่มีข้อมูลจะพิมพ์");
inline const QString kErrorTitle = QStringLiteral(u"เกิดข้อผิดพลาด");

// Called after each sheet with the sheets drawn and the sheets to draw; false stops the run.
using SlipProgress = std::function<bool(int done, int total)>;

// The orders a slip draws, in slip order, handed over one after another. The slip goes
// through them twice, to price them and then to draw them, so a source may read them
// from a file each time instead of holding them.
class SlipOrders {
public:
    virtual ~SlipOrders() = default;
    // Calls `order` with every order's record line. False when they could not all be
    // given; the source knows why.
    virtual bool forEach(const std::function<void(QStringView line)> &order) = 0;
};

// Draws the slip of the orders; the depositor printed in the header is that of
// `depositorLine`, the batch's first record. A source that fails ends the run as Failed
// with error number 0, its own words left to the caller.
SlipResult PrintSlipOrders(PrintSurface &surface, SlipOrders &orders, QStringView depositorLine, const RateTable &rates,
                           const SlipRequest &request, const SlipProgress &progress = {});

// Draws the slip. `selected` (the working list of the chosen type) is refilled for any
// code but "999". The depositor printed in the header is the first record of `all`.
// Nothing is drawn when a record's amount is not a number; a surface that throws
// PrintFailure stops the run, and the caller then discards the job.
SlipResult PrintSummaryReport(PrintSurface &surface, const RecordStore &all, RecordStore &selected,
                              const RateTable &rates, const SlipRequest &request, const SlipProgress &progress = {});

}  // namespace vorlane
