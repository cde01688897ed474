#pragma once
// A PrintSurface that keeps a log of what would be printed, with a text extent simple
// enough to work out by hand: each character is 0.02 cm wide per point of font size
// (0.2 cm at 10 pt) and every text is 0.04 cm high per point (0.4 cm at 10 pt).
// Used by the tests of the slip and of the print checks.
#include "report/printsurface.h"

#include <QList>
#include <optional>

namespace vorlane {

class RecordingSurface final : public PrintSurface {
public:
    struct Drawn {
        int page = 0;  // 0-based
        QString text;
        double x = 0, y = 0;
        double fontSize = 0;
    };

    // Printable areas used when the paper is set: Letter 20.32 x 26.67, A4 19.73 x 28.43
    // (the sheet less a quarter-inch margin all round, as printers commonly have).
    static constexpr double kLetterWidth = 20.32, kLetterHeight = 26.67;
    static constexpr double kA4Width = 19.73, kA4Height = 28.43;

    void setScaleModeCentimetres() override { ++scaleModeCalls; }
    void setPaperSize(int paperNumber) override;
    void setFontName(const QString &name) override { fontName = name; }
    void setFontSize(double points) override { fontSize = points; }

    double scaleWidth() override { return width; }
    double scaleHeight() override { return height; }
    double textWidth(const QString &text) override { return text.size() * 0.02 * fontSize; }
    double textHeight(const QString &) override { return 0.04 * fontSize; }

    void setCurrentX(double x) override { m_x = x; }
    void setCurrentY(double y) override { m_y = y; }
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }
    void printText(const QString &text) override;

    void newPage() override { ++page; }
    void endDocument() override { ++endDocumentCalls; }

    // Makes printText fail with this error once `afterTexts` texts have been printed.
    void failAfter(int afterTexts, PrintFailure failure)
    {
        m_failAfter = afterTexts;
        m_failure = failure;
    }

    // Helpers for tests: the drawn items of one page, and the first item with this text.
    QList<Drawn> onPage(int p) const;
    std::optional<Drawn> find(const QString &text, int page = -1) const;
    QStringList textsOnPage(int p) const;

    QList<Drawn> drawn;
    int page = 0;
    int paperSize = 0;
    double width = kLetterWidth, height = kLetterHeight;
    QString fontName;
    double fontSize = 0;
    int scaleModeCalls = 0;
    int endDocumentCalls = 0;

private:
    double m_x = 0, m_y = 0;
    int m_failAfter = -1;
    PrintFailure m_failure;
};

}  // namespace vorlane
