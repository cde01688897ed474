#include "report/qt/slipoutput.h"

#include "report/qt/paintersurface.h"
#include "report/qt/pdftextlayer.h"
#include "records/fileio.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <cups/cups.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {

SlipResult failed(int number, const QString &description)
{
    SlipResult r;
    r.status = SlipResult::Status::Failed;
    r.errorNumber = number;
    r.errorDescription = description;
    return r;
}

constexpr int kFileAccessError = 75;
constexpr int kPrinterError = 482;

// The PDF goes page by page into a temporary file beside `path`, through the Thai text
// layer's mending, and takes the file's place only when `paint` says the slip is whole:
// memory stays flat at any size, and a failed run or a full disk keeps the old file.
FileIoResult StreamPdf(const QString &path, const SaveOptions &options, const std::function<bool(QPdfWriter &)> &paint)
{
    AtomicSave file(path, options);
    if (FileIoResult begun = file.begin(); !begun.ok())
        return begun;
    PdfTextLayerFilter text(&file);
    bool whole = false;
    {
        QPdfWriter writer(&text);
        writer.setCreator(u"Vorlane"_s);
        writer.setTitle(u"ใบฝากธนาณัติในประเทศรวม"_s);
        whole = paint(writer);
    }
    if (!whole)
        return FileIoResult{};  // nothing kept; the caller reports the run's own failure
    text.finish();
    return file.commit();
}

}  // namespace

SlipResult PaintSlip(QPagedPaintDevice *device, const SlipJob &job, const SlipProgress &progress)
{
    PainterSurface surface(device);
    const SlipResult result =
        job.orders ? PrintSlipOrders(surface, *job.orders, job.depositorLine, job.rates, job.request, progress)
                   : PrintSummaryReport(surface, *job.all, *job.selected, job.rates, job.request, progress);
    if (result.status != SlipResult::Status::Printed)
        surface.discard();
    return result;
}

SlipResult WriteSlipPdf(const QString &path, const SlipJob &job, const SlipProgress &progress)
{
    // Refused before the run, so the user does not wait for a slip that cannot be kept.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return failed(kFileAccessError, u"Path/File access error: "_s + path + u": not a regular file"_s);

    SlipResult result;
    const FileIoResult saved = StreamPdf(path, {}, [&](QPdfWriter &writer) {
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        // The quarter inch a printer cannot reach, so the file matches the printed sheet.
        writer.setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
        result = PaintSlip(&writer, job, progress);
        return result.status == SlipResult::Status::Printed;
    });
    if (!saved.ok())
        return failed(kFileAccessError, u"Path/File access error: "_s + saved.message());
    if (result.status != SlipResult::Status::Printed)
        return result;
    return result;
}

QString DefaultPrinterName()
{
    const QPrinterInfo def = QPrinterInfo::defaultPrinter();
    if (!def.isNull() && !def.printerName().isEmpty())
        return def.printerName();
    const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
    return all.isEmpty() ? QString() : all.first().printerName();
}

SlipResult PrintSlip(const QString &printerName, const SlipJob &job, const SlipProgress &progress)
{
    // A name the server does not know would make QPrinter fall back to the default
    // queue, or to a PDF file without a name when there is none.
    if (printerName.isEmpty() || QPrinterInfo::printerInfo(printerName).isNull())
        return failed(kPrinterError, u"No printer"_s);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(printerName);
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat)
        return failed(kPrinterError, u"No printer"_s);
    // Qt's print engine for the server sends whatever was painted when painting ends and
    // cannot abort a job. So the slip is painted whole, with the queue's own margins, into
    // a spool file first, and only a complete slip is handed to the queue.
    QTemporaryDir spool;
    if (!spool.isValid())
        return failed(kFileAccessError, u"Path/File access error: no temporary folder"_s);
    const QString path = spool.filePath(u"slip.pdf"_s);
    QString media;
    SlipResult result;
    // Written as every file of the program is: a full disk is found here, not by the server.
    SaveOptions spoolOptions;
    spoolOptions.syncFolder = false;  // a private folder removed right after
    const FileIoResult spooled = StreamPdf(path, spoolOptions, [&](QPdfWriter &writer) {
        writer.setResolution(printer.resolution());
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(printer.pageLayout().margins(QPageLayout::Millimeter), QPageLayout::Millimeter);
        result = PaintSlip(&writer, job, progress);
        media = writer.pageLayout().pageSize().key();
        return result.status == SlipResult::Status::Printed;
    });
    if (!spooled.ok())
        return failed(kFileAccessError, u"Path/File access error: "_s + spooled.message());
    if (result.status != SlipResult::Status::Printed)
        return result;

    // Handed to the server through libcups: no helper program has to be installed.
    const QByteArray queue = printerName.toLocal8Bit();
    const QByteArray file = QFile::encodeName(path);
    const QByteArray mediaOption = media.toUtf8();
    cups_option_t *options = nullptr;
    const int count = cupsAddOption("media", mediaOption.constData(), 0, &options);
    const int jobId = cupsPrintFile(queue.constData(), file.constData(), "vorlane-slip", count, options);
    cupsFreeOptions(count, options);
    if (jobId <= 0) {
        SlipResult r = failed(kPrinterError, u"Printer error"_s);
        r.systemMessage = QString::fromUtf8(cupsLastErrorString()).trimmed();
        return r;
    }
    return result;
}

}  // namespace vorlane
