#include "report/qt/slipoutput.h"

#include "report/qt/paintersurface.h"
#include "records/fileio.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

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

} // namespace

SlipResult PaintSlip(QPagedPaintDevice *device, const SlipJob &job, const SlipProgress &progress)
{
    PainterSurface surface(device);
    const SlipResult result = PrintSummaryReport(surface, job.all, job.selected, job.rates, job.request, progress);
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

    // The whole PDF is made in memory and then saved in one step: a full disk or a failed
    // run never replaces a good file with a truncated one.
    QByteArray pdf;
    SlipResult result;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(u"Vorlane"_s);
        writer.setTitle(u"ใบฝากธนาณัติในประเทศรวม"_s);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        // The quarter inch a printer cannot reach, so the file matches the printed sheet.
        writer.setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
        result = PaintSlip(&writer, job, progress);
    }
    if (result.status != SlipResult::Status::Printed)
        return result;
    const FileIoResult saved = SaveFileAtomic(path, pdf);
    if (!saved.ok())
        return failed(kFileAccessError, u"Path/File access error: "_s + saved.message());
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
    const QString lp = QStandardPaths::findExecutable(u"lp"_s);
    if (lp.isEmpty())
        return failed(kPrinterError, u"No printer (lp is missing)"_s);

    // Qt's print engine for the server sends whatever was painted when painting ends and
    // cannot abort a job. So the slip is painted whole, with the queue's own margins, into
    // a spool file first, and only a complete slip is handed to the queue.
    QTemporaryDir spool;
    if (!spool.isValid())
        return failed(kFileAccessError, u"Path/File access error: no temporary folder"_s);
    const QString path = spool.filePath(u"slip.pdf"_s);
    QString media;
    SlipResult result;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return failed(kFileAccessError, u"Path/File access error: "_s + file.errorString());
        QPdfWriter writer(&file);
        writer.setCreator(u"Vorlane"_s);
        writer.setTitle(u"ใบฝากธนาณัติในประเทศรวม"_s);
        writer.setResolution(printer.resolution());
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(printer.pageLayout().margins(QPageLayout::Millimeter), QPageLayout::Millimeter);
        result = PaintSlip(&writer, job, progress);
        media = writer.pageLayout().pageSize().key();
        file.close();
        if (result.status == SlipResult::Status::Printed && file.error() != QFileDevice::NoError)
            return failed(kFileAccessError, u"Path/File access error: "_s + file.errorString());
    }
    if (result.status != SlipResult::Status::Printed)
        return result;

    QProcess submit;
    submit.start(lp, {u"-d"_s, printerName, u"-t"_s, u"vorlane-slip"_s, u"-o"_s, u"media="_s + media, path});
    if (!submit.waitForFinished(60000) || submit.exitStatus() != QProcess::NormalExit || submit.exitCode() != 0) {
        const QString why = QString::fromLocal8Bit(submit.readAllStandardError()).trimmed();
        return failed(kPrinterError, u"Printer error"_s + (why.isEmpty() ? QString() : u" ("_s + why + u')'));
    }
    return result;
}

} // namespace vorlane
