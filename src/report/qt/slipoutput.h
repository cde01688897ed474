#pragma once
// The three destinations of the slip: the system printer, a PDF file, and any paged
// device (the preview hands its own).
#include "report/slip.h"

class QPagedPaintDevice;

namespace vorlane {

struct SlipJob {
    const RecordStore &all;
    RecordStore &selected;  // refilled for a single type
    const RateTable &rates;
    SlipRequest request;
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
