#include "report/qt/paintersurface.h"

#include "report/qt/pdftextlayer.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QTextLine>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {

constexpr double kCmPerInch = 2.54;
constexpr int kPrinterError = 482;
// Texts kept laid out at most; past it they are all let go (the fixed ones come back at once).
constexpr qsizetype kMaxLaidOut = 8192;

bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

[[noreturn]] void printerError(const QString &what)
{
    throw PrintFailure{kPrinterError, u"Printer error ("_s + what + u")"_s};
}

bool hasThaiMark(const QString &text)
{
    for (QChar c : text)
        if (ThaiMarkRank(c.unicode()) > 0)
            return true;
    return false;
}

}  // namespace

int ThaiMarkRank(char16_t c)
{
    c = ThaiLetterOfLegacyCode(c);
    switch (c) {
    case 0x0E31:
    case 0x0E34:
    case 0x0E35:
    case 0x0E36:
    case 0x0E37:
    case 0x0E38:
    case 0x0E39:
    case 0x0E3A:
    case 0x0E47: return 1;
    case 0x0E48:
    case 0x0E49:
    case 0x0E4A:
    case 0x0E4B:
    case 0x0E4C:
    case 0x0E4E: return 2;
    case 0x0E4D: return 3;
    default: return 0;
    }
}

void PutThaiMarksInTypedOrder(QList<quint32> &glyphs, QList<QPointF> &positions, const QHash<quint32, int> &rankOf)
{
    const qsizetype n = std::min(glyphs.size(), positions.size());
    qsizetype i = 0;
    while (i < n) {
        if (rankOf.value(glyphs[i]) == 0) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && rankOf.value(glyphs[end]) > 0)
            ++end;
        // A handful of marks: insertion sort, stable.
        for (qsizetype k = i + 1; k < end; ++k) {
            const quint32 g = glyphs[k];
            const QPointF p = positions[k];
            const int r = rankOf.value(g);
            qsizetype j = k;
            while (j > i && rankOf.value(glyphs[j - 1]) > r) {
                glyphs[j] = glyphs[j - 1];
                positions[j] = positions[j - 1];
                --j;
            }
            glyphs[j] = g;
            positions[j] = p;
        }
        i = end;
    }
}

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

bool PainterSurface::plainRun(FontEntry &entry, const QString &text, LaidOut &out)
{
    PlainGlyphs &p = entry.plain;
    if (text.isEmpty())
        return false;
    // Letters are left to the layout: the font joins some of them (ff, fl) and kerns pairs.
    for (QChar c : text)
        if (c.unicode() < PlainGlyphs::kFirst || c.unicode() > PlainGlyphs::kLast || isAsciiLetter(c.unicode()))
            return false;
    if (!p.tried) {
        p.tried = true;
        p.raw = QRawFont::fromFont(entry.deviceFont, QFontDatabase::Latin);
        if (p.raw.isValid()) {
            QString all;
            for (char16_t c = PlainGlyphs::kFirst; c <= PlainGlyphs::kLast; ++c)
                all.append(QChar(c));
            const QList<quint32> glyphs = p.raw.glyphIndexesForString(all);
            const QList<QPointF> advances = p.raw.advancesForGlyphIndexes(glyphs);
            if (glyphs.size() == qsizetype(p.glyph.size()) && advances.size() == glyphs.size()) {
                for (qsizetype i = 0; i < glyphs.size(); ++i) {
                    p.glyph[size_t(i)] = glyphs[i];
                    p.advance[size_t(i)] = advances[i].x();
                }
            }
        }
    }
    if (!p.raw.isValid())
        return false;
    QList<quint32> glyphs(text.size());
    QList<QPointF> positions(text.size());
    double x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto k = size_t(text.at(i).unicode() - PlainGlyphs::kFirst);
        if (p.glyph[k] == 0)
            return false;  // not in the primary font: the layout finds a fallback
        glyphs[i] = p.glyph[k];
        positions[i] = QPointF(x, 0);
        x += p.advance[k];
    }
    out.run.setRawFont(p.raw);
    out.run.setGlyphIndexes(glyphs);
    out.run.setPositions(positions);
    out.width = x;
    return true;
}

void PainterSurface::putMarksInTypedOrder(FontEntry &entry, const QTextLine &line, LaidOut &out)
{
    out.typedOrder = line.glyphRuns();
    for (QGlyphRun &run : out.typedOrder) {
        const QRawFont font = run.rawFont();
        auto known = std::find_if(entry.markRanks.begin(), entry.markRanks.end(),
                                  [&](const auto &e) { return e.first == font; });
        if (known == entry.markRanks.end()) {
            QHash<quint32, int> ranks;
            QString marks;
            for (char16_t c = 0x0E31; c <= 0x0E4E; ++c)
                if (ThaiMarkRank(c) > 0)
                    marks.append(QChar(c));
            for (char16_t c = 0xF700; c <= 0xF71A; ++c)
                if (ThaiMarkRank(c) > 0)
                    marks.append(QChar(c));
            const QList<quint32> glyphs = font.glyphIndexesForString(marks);
            for (qsizetype i = 0; i < glyphs.size() && i < marks.size(); ++i)
                if (glyphs[i] != 0)
                    ranks.insert(glyphs[i], ThaiMarkRank(marks.at(i).unicode()));
            entry.markRanks.emplace_back(font, std::move(ranks));
            known = entry.markRanks.end() - 1;
        }
        QList<quint32> glyphs = run.glyphIndexes();
        QList<QPointF> positions = run.positions();
        PutThaiMarksInTypedOrder(glyphs, positions, known->second);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
    }
}

std::optional<QGlyphRun> PainterSurface::plainGlyphRun(const QString &text)
{
    const LaidOut &laid = layoutOf(text);
    if (laid.layout)
        return std::nullopt;
    return laid.run;
}

const PainterSurface::LaidOut &PainterSurface::layoutOf(const QString &text)
{
    if (!m_entry)
        useFontEntry();
    auto it = m_entry->laidOut.constFind(text);
    if (it != m_entry->laidOut.constEnd())
        return *it;
    if (m_laidOutCount >= kMaxLaidOut) {
        for (const auto &e : m_fonts)
            e->laidOut.clear();
        m_laidOutCount = 0;
    }
    ++m_laidOutCount;
    LaidOut laid;
    if (plainRun(*m_entry, text, laid))
        return *m_entry->laidOut.insert(text, std::move(laid));
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
    laid.width = line.isValid() ? line.horizontalAdvance() : 0;
    if (line.isValid() && hasThaiMark(text))
        putMarksInTypedOrder(*m_entry, line, laid);
    laid.layout = std::move(layout);
    return *m_entry->laidOut.insert(text, std::move(laid));
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

double PainterSurface::textWidth(const QString &text) { return layoutOf(text).width / m_pxPerCmX; }

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
}

void PainterSurface::printText(const QString &text)
{
    if (!m_painter.isActive())
        begin();
    if (m_newPagePending) {
        m_newPagePending = false;
        if (!m_device->newPage())
            printerError(u"new page"_s);
    }
    const LaidOut &laid = layoutOf(text);
    // The baseline where drawText would put it: the font's ascent below the top.
    const double baseline = m_y * m_pxPerCmY + m_entry->metrics.ascent();
    if (!laid.layout) {
        m_painter.drawGlyphRun(QPointF(m_x * m_pxPerCmX, baseline), laid.run);
        return;
    }
    if (laid.layout->lineCount() == 0)
        return;
    const QTextLine line = laid.layout->lineAt(0);
    const QPointF origin(m_x * m_pxPerCmX, baseline - line.ascent());
    if (laid.typedOrder.isEmpty()) {
        line.draw(&m_painter, origin);
        return;
    }
    for (const QGlyphRun &run : laid.typedOrder)
        m_painter.drawGlyphRun(origin, run);
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

}  // namespace vorlane
