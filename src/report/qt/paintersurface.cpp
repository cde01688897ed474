#include "report/qt/paintersurface.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {

constexpr double kCmPerInch = 2.54;
constexpr int kPrinterError = 482;

[[noreturn]] void printerError(const QString &what)
{
    throw PrintFailure{kPrinterError, u"Printer error ("_s + what + u")"_s};
}

} // namespace

PainterSurface::PainterSurface(QPagedPaintDevice *device) : m_device(device)
{
    m_pxPerCmX = m_device->logicalDpiX() / kCmPerInch;
    m_pxPerCmY = m_device->logicalDpiY() / kCmPerInch;
}

PainterSurface::~PainterSurface() { discard(); }

double PainterSurface::standInScale(const QString &family)
{
    const QString real = QFontInfo(QFont(family)).family();
    if (real.compare(family, Qt::CaseInsensitive) == 0)
        return 1;
    // Angsana's Thai glyphs are narrow; Kinnari, Garuda and Norasi, which stand in for it
    // on free systems, need two thirds of the size to fill the same columns.
    if (family.contains(u"Angsana"_s, Qt::CaseInsensitive))
        return 0.67;
    return 1;
}

void PainterSurface::setPaperSize(int paperNumber)
{
    QPageSize size;
    if (paperNumber == kPaperA4)
        size = QPageSize(QPageSize::A4);
    else if (paperNumber == kPaperLetter)
        size = QPageSize(QPageSize::Letter);
    else
        return;
    if (!m_device->setPageSize(size))
        printerError(u"paper size"_s);
}

void PainterSurface::setFontName(const QString &name)
{
    m_family = name;
    m_scale = standInScale(name);
    applyFont();
}

void PainterSurface::setFontSize(double points)
{
    m_points = points;
    applyFont();
}

void PainterSurface::applyFont()
{
    m_font = QFont(m_family);
    m_font.setPointSizeF(m_points * m_scale);
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

double PainterSurface::scaleWidth()
{
    return m_device->pageLayout().paintRect(QPageLayout::Millimeter).width() / 10.0;
}

double PainterSurface::scaleHeight()
{
    return m_device->pageLayout().paintRect(QPageLayout::Millimeter).height() / 10.0;
}

double PainterSurface::textWidth(const QString &text)
{
    return QFontMetricsF(m_font, m_device).horizontalAdvance(text) / m_pxPerCmX;
}

double PainterSurface::textHeight(const QString &)
{
    return QFontMetricsF(m_font, m_device).height() / m_pxPerCmY;
}

void PainterSurface::begin()
{
    if (!m_painter.begin(m_device))
        printerError(u"cannot start the document"_s);
    // Resolution may differ once painting has started (printer drivers): measure again.
    m_pxPerCmX = m_device->logicalDpiX() / kCmPerInch;
    m_pxPerCmY = m_device->logicalDpiY() / kCmPerInch;
    m_painter.setFont(m_font);
    m_painter.setPen(Qt::black);
    m_pages = 1;
}

void PainterSurface::printText(const QString &text)
{
    if (!m_painter.isActive())
        begin();
    if (m_newPagePending) {
        m_newPagePending = false;
        if (!m_device->newPage())
            printerError(u"new page"_s);
        ++m_pages;
    }
    const QFontMetricsF metrics(m_font, m_device);
    m_painter.drawText(QPointF(m_x * m_pxPerCmX, m_y * m_pxPerCmY + metrics.ascent()), text);
}

void PainterSurface::newPage()
{
    // The page is only started when something is drawn on it, so the page break after
    // the last footer does not leave a blank sheet.
    m_newPagePending = true;
}

void PainterSurface::endDocument()
{
    m_newPagePending = false;
    if (m_painter.isActive() && !m_painter.end())
        printerError(u"end of document"_s);
}

void PainterSurface::discard()
{
    if (m_painter.isActive())
        m_painter.end();
}

} // namespace vorlane
