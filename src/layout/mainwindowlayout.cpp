#include "layout/mainwindowlayout.h"

namespace vorlane::layout {

MainWindowLayout mainWindowLayout(const Screen &s, double panelHeight)
{
    MainWindowLayout l;
    const double p = panelWidth(s);
    l.panel = {s.W - p, 0, p, panelHeight};
    l.workArea = {0, 0, s.W - p, panelHeight};

    const double h = 0.08 * panelHeight;
    const double w = 0.75 * p;
    // Twelve parts of the leftover height, whatever the number of buttons.
    const double gap = (s.H - kCommandButtons * h) / 12;
    double top = gap;
    for (TwipRect &b : l.buttons) {
        b = {(p - w) / 2, top, w, h};
        top += h + gap;
    }
    return l;
}

}  // namespace vorlane::layout
