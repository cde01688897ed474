#pragma once
// The printer as the slip sees it: positions and text extents in centimetres from the
// top-left corner of the printable area, text drawn with its top-left corner at the
// current position. The slip is text only.
#include <QString>

namespace vorlane {

// Paper-size numbers of the printer settings.
inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperA4 = 9;

// A failure of the printer or of the run itself. Surface operations may throw it; the
// report run catches it and hands it back as its result.
struct PrintFailure {
    int number = 0;
    QString description;
};

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    virtual void setScaleModeCentimetres() = 0;
    virtual void setPaperSize(int paperNumber) = 0;
    virtual void setFontName(const QString &name) = 0;
    virtual void setFontSize(double points) = 0;

    virtual double scaleWidth() = 0;
    virtual double scaleHeight() = 0;
    virtual double textWidth(const QString &text) = 0;
    virtual double textHeight(const QString &text) = 0;

    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void printText(const QString &text) = 0;

    virtual void newPage() = 0;
    virtual void endDocument() = 0;
};

}  // namespace vorlane
