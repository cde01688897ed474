#pragma once
// PrintSurface on a QPainter: one drawing routine for the system printer, a PDF file and
// the on-screen preview. Positions are mapped from centimetres to device units; fonts stay
// in real points so their metrics are the device's own.
#include "report/printsurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace vorlane {

// The place of a Thai mark among the marks of one letter as they are typed: 1 a vowel
// above or below, 2 a tone mark or thanthakhat, 3 the nikhahit (sara am's ring); 0 for
// anything else, which ends the letter. Legacy private-use forms rank as their letters.
int ThaiMarkRank(char16_t c);
// Glyphs reordered in place so that within each run of marks (rank > 0, from `rankOf`)
// the ranks ascend, equal ones keeping their order. Positions move with their glyphs.
void PutThaiMarksInTypedOrder(QList<quint32> &glyphs, QList<QPointF> &positions, const QHash<quint32, int> &rankOf);

class PainterSurface final : public PrintSurface {
public:
    // The device is painted from the first text on; the paper size can be set until then.
    explicit PainterSurface(QPagedPaintDevice *device);
    ~PainterSurface() override;

    void setScaleModeCentimetres() override {}
    void setPaperSize(int paperNumber) override;
    void setFontName(const QString &name) override;
    void setFontSize(double points) override;

    double scaleWidth() override;
    double scaleHeight() override;
    double textWidth(const QString &text) override;
    double textHeight(const QString &text) override;

    void setCurrentX(double x) override { m_x = x; }
    void setCurrentY(double y) override { m_y = y; }
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }
    void printText(const QString &text) override;

    void newPage() override;
    void endDocument() override;

    // Stops painting without finishing the document; the caller throws the job away.
    void discard();
    // The font the device really uses for the current size (after any stand-in scaling).
    QFont font() const { return m_font; }
    // The glyph run a plain text is drawn from without a QTextLayout (positions from the
    // left end of the baseline, device units), or nothing when the text is laid out.
    std::optional<QGlyphRun> plainGlyphRun(const QString &text);

    // The point-size factor applied when the requested family is not installed and the
    // system substitutes a wider one (the Thai stand-ins are about 1.5 times wider).
    static double standInScale(const QString &family);

private:
    // A text as laid out: plain texts (ASCII figures and signs: sequence numbers, amounts,
    // postcodes) as one glyph run with the baseline at 0, made from the font's own glyphs
    // and advances; every other text as a line of a QTextLayout.
    struct LaidOut {
        std::shared_ptr<QTextLayout> layout;
        QGlyphRun run;
        double width = 0;  // device units
        // A Thai text with marks: the layout's glyph runs with each cluster's marks in the
        // order they are typed (the shaper puts a tone mark before a vowel below it, and
        // the nikhahit of sara am before the tone mark). The page looks the same; the PDF's
        // text, which follows the drawing order, reads as typed.
        QList<QGlyphRun> typedOrder;
    };
    // The glyph and advance of each printable ASCII character in the primary font, so a
    // plain text needs no shaping (letters are never plain); taken from QRawFont, the same
    // font engine the layout uses. A glyph 0 (not in the font) sends the text to the layout.
    struct PlainGlyphs {
        static constexpr char16_t kFirst = u'!', kLast = u'~';
        QRawFont raw;
        std::array<quint32, kLast - kFirst + 1> glyph{};
        std::array<double, kLast - kFirst + 1> advance{};
        bool tried = false;
    };
    // One font object a size, with its metrics and the texts already laid out in it: the
    // slip measures a text and then draws it, and repeats its fixed texts on every sheet,
    // so each text is shaped once and drawn from that shaping.
    // deviceFont is the font already resolved for the device's resolution: a layout made
    // with it shares its loaded font engine instead of looking one up for every text.
    struct FontEntry {
        QFont font;
        QFont deviceFont;
        QFontMetricsF metrics;
        QHash<QString, LaidOut> laidOut;
        PlainGlyphs plain;
        // Per font of the runs: what each Thai mark glyph is (see ThaiMarkRank).
        std::vector<std::pair<QRawFont, QHash<quint32, int>>> markRanks;
        explicit FontEntry(const QFont &f, QPaintDevice *device)
            : font(f), deviceFont(f, device), metrics(deviceFont, device)
        {}
    };
    void begin();
    void applyFont();
    void useFontEntry();  // m_entry := the entry of m_font, made when new
    const LaidOut &layoutOf(const QString &text);
    bool plainRun(FontEntry &entry, const QString &text, LaidOut &out);
    void putMarksInTypedOrder(FontEntry &entry, const QTextLine &line, LaidOut &out);

    QPagedPaintDevice *m_device;
    QPainter m_painter;
    QFont m_font;
    std::vector<std::unique_ptr<FontEntry>> m_fonts;
    FontEntry *m_entry = nullptr;
    qsizetype m_laidOutCount = 0;
    double m_scaleWidth = -1, m_scaleHeight = -1;  // of the current paper; -1: not yet asked
    QString m_family;
    double m_points = 12;
    double m_scale = 1;
    double m_x = 0, m_y = 0;
    double m_pxPerCmX = 1, m_pxPerCmY = 1;
    bool m_newPagePending = false;
};

}  // namespace vorlane
