#pragma once
// PrintSurface on a QPainter: one drawing routine for the system printer, a PDF file and
// the on-screen preview. Positions are mapped from centimetres to device units; fonts stay
// in real points so their metrics are the device's own.
#include "report/printsurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QTextLayout>

#include <memory>
#include <vector>

class QPagedPaintDevice;

namespace vorlane {

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
    int pagesStarted() const { return m_pages; }
    // The font the device really uses for the current size (after any stand-in scaling).
    QFont font() const { return m_font; }

    // The point-size factor applied when the requested family is not installed and the
    // system substitutes a wider one (the Thai stand-ins are about 1.5 times wider).
    static double standInScale(const QString &family);

private:
    // One font object a size, with its metrics and the texts already laid out in it: the
    // slip measures a text and then draws it, and repeats its fixed texts on every sheet,
    // so each text is shaped once and drawn from that shaping.
    // deviceFont is the font already resolved for the device's resolution: a layout made
    // with it shares its loaded font engine instead of looking one up for every text.
    struct FontEntry {
        QFont font;
        QFont deviceFont;
        QFontMetricsF metrics;
        QHash<QString, std::shared_ptr<QTextLayout>> laidOut;
        explicit FontEntry(const QFont &f, QPaintDevice *device)
            : font(f), deviceFont(f, device), metrics(deviceFont, device)
        {
        }
    };
    void begin();
    void applyFont();
    void useFontEntry();  // m_entry := the entry of m_font, made when new
    QTextLayout &layoutOf(const QString &text);

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
    int m_pages = 0;
};

} // namespace vorlane
