#include "layout/entrylayout.h"

namespace vorlane::layout {
namespace {

// Places controls side by side from `left`, each `gap` after the previous one.
template <typename... R>
void row(double left, double top, double gap, R &...rects)
{
    for (TwipRect *r : {&rects...}) {
        r->left = left;
        r->top = top;
        left += r->width + gap;
    }
}

}  // namespace

EntryLayout entryLayout(const Screen &s)
{
    EntryLayout l;
    const double free = s.W - panelWidth(s);

    // Frames.
    l.Frame4.width = 0.95 * free;
    l.Frame4.height = 0.75 * s.H;
    l.Frame2 = {0, 0, 0.25 * l.Frame4.width, 0.6 * l.Frame4.height};
    l.Frame1 = {0, 0, 0.725 * l.Frame4.width, l.Frame2.height};
    l.Frame3 = {0, 0, 0.95 * l.Frame4.width, 0.3 * l.Frame4.height};

    const double rowH = 0.045 * s.H;
    const double gy = (s.H - (l.Frame4.height + rowH)) / 6;
    l.Frame4.left = (free - l.Frame4.width) / 2;
    l.Frame4.top = gy / 3;

    const double gx4 = (l.Frame4.width - (l.Frame2.width + l.Frame1.width)) / 3;
    const double gy4 = (l.Frame4.height - (l.Frame2.height + l.Frame3.height)) / 3;
    l.Frame2.left = gx4;
    l.Frame2.top = gy4;
    l.Frame1.left = l.Frame2.right() + gx4;
    l.Frame1.top = gy4;
    l.Frame3.left = (l.Frame4.width - l.Frame3.width) / 2;
    l.Frame3.top = l.Frame2.bottom() + gy4;

    // Label and field columns: seven rows of one height, the first at 1.7 gaps.
    const double boxH = 0.1 * l.Frame1.height;
    const double g = (l.Frame1.height - kEntryRows * boxH) / 4;
    const double labelW = 0.8 * l.Frame2.width;
    for (int i = 0; i < kEntryRows; ++i)
        l.labels[i] = {0.1 * l.Frame2.width, 1.7 * g + i * (boxH + g / 1000), labelW, boxH};

    const double f1 = l.Frame1.width;
    auto fieldTop = [&](int i) { return 1.7 * g + i * (boxH + g / 100); };
    const double margin = 0.025 * f1;
    const double colGap = 0.05 * f1;
    l.Combo1_0 = {0, 0, 0.2 * f1, boxH};
    l.Combo1_1 = {0, 0, 0.6 * f1, boxH};
    l.Combo1_2 = l.Combo1_0;
    l.Combo1_3 = l.Combo1_1;
    row(margin, fieldTop(0), colGap, l.Combo1_0, l.Combo1_1);
    row(margin, fieldTop(1), colGap, l.Combo1_2, l.Combo1_3);
    l.Text1_2 = {margin, fieldTop(2), 0.6 * f1, boxH};
    l.Text1_6 = {margin, fieldTop(3), 0.95 * f1, boxH};
    l.Text1_3 = {margin, fieldTop(4), 0.6 * f1, boxH};
    l.Text1_7 = {margin, fieldTop(5), 0.95 * f1, boxH};
    l.Text1_4 = {0, 0, 0.3 * f1, boxH};
    l.Label18 = {0, 0, 0.1 * f1, boxH};
    row(margin, fieldTop(6), margin, l.Text1_4, l.Label18);

    // Buttons and totals.
    const double w3 = l.Frame3.width, h3 = l.Frame3.height;
    for (TwipRect *b : {&l.Cmdadd, &l.Cmdinsert, &l.Cmddel, &l.Cmdsave, &l.Cmdcancel})
        *b = {0, 0, 0.12 * w3, 0.3 * h3};
    for (TwipRect *b : {&l.Cmdfirst, &l.Cmdback, &l.Cmdforward, &l.Cmdlast})
        *b = {0, 0, 0.1 * w3, 0.25 * h3};
    l.Label12 = {0, 0, 0.14 * w3, 0.18 * h3};
    l.Label13 = {0, 0, 0.18 * w3, 0.18 * h3};
    l.Label14 = {0, 0, 0.23 * w3, 0.18 * h3};
    l.Label15 = {0, 0, 0.17 * w3, 0.18 * h3};

    const double gx3 = (w3 - 5 * l.Cmdadd.width) / 6;
    const double gy3 = (h3 - (l.Cmdadd.height + l.Cmdfirst.height + l.Label12.height)) / 4;
    row(gx3, gy3, gx3, l.Cmdadd, l.Cmdinsert, l.Cmddel, l.Cmdsave, l.Cmdcancel);
    row(gx3, l.Cmdadd.bottom() + gy3, 0.02 * w3, l.Cmdfirst, l.Cmdback, l.Cmdforward, l.Cmdlast);
    const double gxt = (w3 - (l.Label12.width + l.Label13.width + l.Label14.width + l.Label15.width)) / 5;
    row(gxt, l.Cmdfirst.bottom() + gy3, gxt, l.Label12, l.Label13, l.Label14, l.Label15);

    // Bottom row: counter and search box.
    l.Label2 = {0, 0, 0.17 * free, rowH};
    l.Label1 = {0, 0, 0.12 * free, rowH};
    l.Label3 = {0, 0, 0.06 * free, rowH};
    l.Text2 = {0, 0, 0.3 * free, rowH};
    const double bottomTop = l.Frame4.bottom() + gy / 3;
    row(l.Frame4.left, bottomTop, 0.02 * free, l.Label2, l.Label1);
    row(l.Label1.right() + 0.08 * free, bottomTop, 0.02 * free, l.Label3, l.Text2);
    return l;
}

}  // namespace vorlane::layout
