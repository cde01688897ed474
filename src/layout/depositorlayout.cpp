#include "layout/depositorlayout.h"

namespace vorlane::layout {

DepositorLayout depositorLayout(const Screen &s)
{
    DepositorLayout l;
    const double p = panelWidth(s);
    const double rowH = 0.05 * s.H;
    l.Label1.width = l.Label2.width = 0.15 * s.W;
    l.Text1.width = 0.4 * s.W;
    l.Text2.width = 0.65 * s.W;
    l.Label3.width = 0.3 * s.W;
    l.Command1.width = 0.12 * s.W;
    l.Label1.height = l.Label2.height = l.Text1.height = l.Text2.height = l.Label3.height = rowH;
    l.Command1.height = 0.07 * s.H;

    const double gx = (s.W - (p + l.Label1.width + l.Text2.width)) / 4;
    const double gy = (s.H - (l.Text1.height + l.Text2.height)) / 5;

    l.Label1.left = l.Label2.left = gx;
    l.Text1.left = l.Text2.left = l.Label1.left + l.Label1.width + gx;

    l.Label3.top = gy / 2;
    l.Label3.left = l.Text1.left + (l.Text1.width - l.Label3.width) / 2;
    l.Label1.top = l.Text1.top = l.Label3.top + l.Label3.height + gy / 3;
    l.Label2.top = l.Text2.top = l.Text1.top + l.Text1.height + gy / 4;
    l.Command1.top = l.Text2.top + l.Text2.height + gy / 3;
    l.Command1.left = l.Text2.left + (l.Text2.width - l.Command1.width) / 2;
    return l;
}

}  // namespace vorlane::layout
