#include "layout/reviewlayout.h"

namespace vorlane::layout {

ReviewLayout reviewLayout(const Screen &s)
{
    const double W = s.W, H = s.H, P = panelWidth(s);
    ReviewLayout l;
    l.window = {0, 0, W, H};
    for (TwipRect *button : {&l.Command1, &l.Command2}) {
        button->height = 0.07 * H;
        button->width = 0.12 * W;
    }
    l.List1.height = 0.4 * H;
    l.Text1.height = 0.3 * H;
    l.Text1.width = 0.9 * (W - P);
    l.List1.width = l.Text1.width;

    const double gx = W - (l.List1.width + P);
    const double gy = (H - (l.List1.height + l.Text1.height)) / 3;

    l.List1.left = gx / 2;
    l.List1.top = gy / 2;
    l.Text1.left = l.List1.left;
    l.Text1.top = l.List1.bottom() + gy / 15;
    l.Command1.top = l.Text1.bottom() + gy / 5;
    l.Command1.left = l.Text1.left + 0.3 * l.Text1.width;
    l.Command2.top = l.Command1.top;
    l.Command2.left = l.Command1.right() + gx;
    return l;
}

}  // namespace vorlane::layout
