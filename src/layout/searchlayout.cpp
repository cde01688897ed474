#include "layout/searchlayout.h"

namespace vorlane::layout {

SearchLayout searchLayout(const Screen &s)
{
    const double W = s.W, H = s.H, P = panelWidth(s);
    SearchLayout l;
    l.window = {0, 0, W - P, H};
    l.Label1.width = 0.2 * W;
    l.Label1.height = 0.05 * H;
    for (TwipRect *box : {&l.Txtsearch0, &l.Txtsearch1}) {
        box->width = 0.35 * W;
        box->height = 0.05 * H;
    }
    for (TwipRect *button : {&l.Command1_2, &l.Command1_3}) {
        button->width = 0.13 * W;
        button->height = 0.07 * H;
    }

    // The caption and the boxes form one row beside the command bar; the boxes and the
    // buttons stack in the second column.
    const double gx = (W - P - (l.Label1.width + l.Txtsearch0.width)) / 2;
    const double gy = (H - (l.Txtsearch0.height + l.Txtsearch1.height + l.Command1_2.height)) / 5;

    l.Label1.left = gx;
    l.Label1.top = gy;
    l.Txtsearch0.left = l.Label1.right() + gx / 5;
    l.Txtsearch0.top = l.Label1.top;
    l.Txtsearch1.left = l.Txtsearch0.left;
    l.Txtsearch1.top = l.Txtsearch0.bottom() + gy / 10;
    l.Command1_2.left = l.Txtsearch1.left;
    l.Command1_2.top = l.Txtsearch1.bottom() + gy / 2;
    l.Command1_3.left = l.Txtsearch1.right() - l.Command1_3.width;  // flush with the boxes' right edge
    l.Command1_3.top = l.Command1_2.top;
    return l;
}

}  // namespace vorlane::layout
