#pragma once
// Window layout in twips, computed from the screen size alone (1440 twips an inch).
// Pure functions: each window's rule lives in its own file here and is tested on the
// 1024 x 768 figures.
#include <QRect>
#include <cmath>

namespace vorlane::layout {

struct TwipRect {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// The screen in twips; tests use 15360 x 11520 (1024 x 768 at 15 twips a pixel).
struct Screen {
    double W = 15360;
    double H = 11520;
    double twipsPerPixel = 15;
};

// Twips to device pixels of that screen, rounded to the nearest pixel.
inline QRect toPixels(const TwipRect &r, const Screen &s)
{
    const double k = s.twipsPerPixel;
    return QRect(int(std::lround(r.left / k)), int(std::lround(r.top / k)), int(std::lround(r.width / k)),
                 int(std::lround(r.height / k)));
}

// The command bar panel's width, 0.15 of the screen width.
inline double panelWidth(const Screen &s) { return 0.15 * s.W; }

}  // namespace vorlane::layout
