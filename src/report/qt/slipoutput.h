#pragma once
// The three destinations of the slip: the system printer, a PDF file, and any paged
// device (the preview hands its own).
#include "report/slip.h"

#include <utility>

class QPagedPaintDevice;

namespace vorlane {

struct SlipJob {
    // An open batch; its working list `selected` is refilled for a single type.
    SlipJob(const RecordStore &all, RecordStore &selected, const RateTable &rates, SlipRequest request)
        : rates(rates), request(std::move(request)), all(&all), selected(&selected)
    {}
    // Orders a source hands over, with the batch's first record for the depositor.
    SlipJob(SlipOrders &orders, QString depositorLine, const RateTable &rates, SlipRequest request)
        : rates(rates), request(std::move(request)), orders(&orders), depositorLine(std::move(depositorLine))
    {}

    const RateTable &rates;
    SlipRequest request;
    const RecordStore *all = nullptr;
    RecordStore *selected = nullptr;
    SlipOrders *orders = nullptr;
    QString depositorLine;
};

// Draws the slip on the device; painting stops where a run fails or is cancelled.
SlipResult PaintSlip(QPagedPaintDevice *device, const SlipJob &job, const SlipProgress &progress = {});

// The slip as a PDF file, written only when the whole run succeeds (the previous file,
// if any, is left as it was otherwise).
SlipResult WriteSlipPdf(const QString &path, const SlipJob &job, const SlipProgress &progress = {});

// The system's default print queue, or empty when no print server answers or it has no
// queue. Without one Qt would quietly print to a nameless PDF file instead.
QString DefaultPrinterName();

// The slip on the named queue, with the queue's margins. The queue receives the slip
// only once it is complete: a failed or cancelled run prints nothing.
SlipResult PrintSlip(const QString &printerName, const SlipJob &job, const SlipProgress &progress = {});

}  // namespace vorlane
