#include "layout/printoptionslayout.h"

namespace vorlane::layout {

PrintOptionsLayout printOptionsLayout(const Screen &s)
{
    PrintOptionsLayout l;
    const double p = panelWidth(s);
    const double work = s.W - p;
    l.window = {0, 0, work, s.H};

    l.Frame1.width = 0.9 * work;
    l.Frame1.height = 0.5 * s.H;
    l.Frame2.width = l.Frame3.width = 0.5 * work;
    l.Frame2.height = 0.17 * s.H;
    l.Frame3.height = 0.12 * s.H;

    const double gx = work - l.Frame1.width;
    const double gy = (s.H - (l.Frame1.height + l.Frame2.height + l.Frame3.height)) / 4;
    l.Frame1.left = l.Frame2.left = l.Frame3.left = gx / 2;
    l.Frame1.top = gy / 2;
    l.Frame2.top = l.Frame1.bottom() + gy / 3;
    l.Frame3.top = l.Frame2.bottom() + gy / 3;

    // Type buttons: two columns of seven, the free space below the frame's caption shared
    // out evenly.
    const double ow = 0.4 * l.Frame1.width;
    const double oh = 0.1 * l.Frame1.height;
    const double caption = 0.05 * l.Frame1.height;
    const double ox = (l.Frame1.width - 2 * ow) / 3;
    const double oy = (l.Frame1.height - caption - 7 * oh) / 8;
    for (int i = 0; i < kTypeButtons; ++i) {
        const int column = i / 7, row = i % 7;
        l.Option1[size_t(i)] = {ox + column * (ow + ox), caption + oy + row * (oh + oy), ow, oh};
    }

    // Page choice: "all" on its own line, then "pages" with from and to boxes.
    const double f2w = l.Frame2.width, f2h = l.Frame2.height;
    l.Option2 = {f2w / 10, f2h / 4, 0.3 * f2w, 0.2 * f2h};  // clear of the caption
    l.Text1.width = l.Text2.width = 0.2 * f2w;
    l.Text1.height = l.Text2.height = l.Label1.height = l.Label2.height = 0.3 * f2h;
    l.Label1.width = l.Label2.width = 0.1 * f2w;
    l.Option3.width = 0.15 * f2w;
    l.Option3.height = 0.15 * f2h;
    const double rowTop = l.Option2.bottom() + f2h / 10;
    const double gap = (f2w - (f2w / 10 + l.Option3.width + 2 * l.Label1.width + 2 * l.Text1.width)) / 5;
    l.Option3.left = l.Option2.left;
    l.Option3.top = rowTop + (l.Text1.height - l.Option3.height) / 2;
    l.Label1.left = l.Option3.right() + gap;
    l.Text1.left = l.Label1.right() + gap;
    l.Label2.left = l.Text1.right() + gap;
    l.Text2.left = l.Label2.right() + gap;
    l.Label1.top = l.Text1.top = l.Label2.top = l.Text2.top = rowTop;

    // Paper choice.
    const double f3w = l.Frame3.width, f3h = l.Frame3.height;
    l.Option4 = {f3w / 10, 0.25 * f3h, 0.8 * f3w, 0.4 * f3h};  // clear of the caption
    l.Option5 = {f3w / 10, l.Option4.bottom() + f3h / 100, 0.8 * f3w, 0.3 * f3h};

    // Buttons in two columns right of the page and paper frames, three rows spread evenly
    // over the height of those frames; the workbook button sits below the PDF one.
    const double bw = 0.2 * l.Frame1.width;
    const double bh = 0.06 * s.H;
    const double bx = (l.Frame1.right() - l.Frame2.right() - 2 * bw) / 3;
    const double by = (l.Frame3.bottom() - l.Frame2.top - 3 * bh) / 4;
    for (int i = 0; i < kCommandButtons; ++i) {
        const int row = i < 4 ? i / 2 : 2, column = i < 4 ? i % 2 : 1;
        l.buttons[size_t(i)] = {l.Frame2.right() + bx + column * (bw + bx), l.Frame2.top + by + row * (bh + by), bw,
                                bh};
    }
    return l;
}

}  // namespace vorlane::layout
