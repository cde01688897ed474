#include "report/qt/paintersurface.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QTextLine>

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {

constexpr double kCmPerInch = 2.54;
constexpr int kPrinterError = 482;
// Texts kept laid out at most; past it they are all let go (the fixed ones come back at once).
constexpr qsizetype kMaxLaidOut = 8192;

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
    m_scaleWidth = m_scaleHeight = -1;
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
    FontEntry *before = m_entry;
    useFontEntry();
    if (m_entry != before && m_painter.isActive())
        m_painter.setFont(m_font);
}

void PainterSurface::useFontEntry()
{
    for (const auto &e : m_fonts) {
        if (e->font == m_font) {
            m_entry = e.get();
            return;
        }
    }
    m_fonts.push_back(std::make_unique<FontEntry>(m_font, m_device));
    m_entry = m_fonts.back().get();
}

QTextLayout &PainterSurface::layoutOf(const QString &text)
{
    if (!m_entry)
        useFontEntry();
    auto it = m_entry->laidOut.constFind(text);
    if (it != m_entry->laidOut.constEnd())
        return **it;
    if (m_laidOutCount >= kMaxLaidOut) {
        for (const auto &e : m_fonts)
            e->laidOut.clear();
        m_laidOutCount = 0;
    }
    // As QPainter::drawText lays out a one-line text: no wrapping, the device's metrics.
    auto layout = std::make_shared<QTextLayout>(text, m_entry->deviceFont, m_device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    if (line.isValid())
        line.setPosition(QPointF(0, 0));
    layout->endLayout();
    ++m_laidOutCount;
    return *m_entry->laidOut.insert(text, std::move(layout)).value();
}

double PainterSurface::scaleWidth()
{
    if (m_scaleWidth < 0)
        m_scaleWidth = m_device->pageLayout().paintRect(QPageLayout::Millimeter).width() / 10.0;
    return m_scaleWidth;
}

double PainterSurface::scaleHeight()
{
    if (m_scaleHeight < 0)
        m_scaleHeight = m_device->pageLayout().paintRect(QPageLayout::Millimeter).height() / 10.0;
    return m_scaleHeight;
}

double PainterSurface::textWidth(const QString &text)
{
    const QTextLayout &layout = layoutOf(text);
    if (layout.lineCount() == 0)
        return 0;
    return layout.lineAt(0).horizontalAdvance() / m_pxPerCmX;
}

double PainterSurface::textHeight(const QString &)
{
    if (!m_entry)
        useFontEntry();
    return m_entry->metrics.height() / m_pxPerCmY;
}

void PainterSurface::begin()
{
    if (!m_painter.begin(m_device))
        printerError(u"cannot start the document"_s);
    // Resolution may differ once painting has started (printer drivers): measure again.
    m_pxPerCmX = m_device->logicalDpiX() / kCmPerInch;
    m_pxPerCmY = m_device->logicalDpiY() / kCmPerInch;
    // Metrics and layouts made before may be for another resolution.
    m_fonts.clear();
    m_laidOutCount = 0;
    m_entry = nullptr;
    useFontEntry();
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
    const QTextLayout &layout = layoutOf(text);
    if (layout.lineCount() == 0)
        return;
    // The baseline where drawText would put it: the font's ascent below the top.
    const QTextLine line = layout.lineAt(0);
    const double baseline = m_y * m_pxPerCmY + m_entry->metrics.ascent();
    line.draw(&m_painter, QPointF(m_x * m_pxPerCmX, baseline - line.ascent()));
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
