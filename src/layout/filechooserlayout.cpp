#include "layout/filechooserlayout.h"

namespace vorlane::layout {

FileChooserLayout fileChooserLayout(const Screen &s)
{
    const double W = s.W, H = s.H;
    FileChooserLayout l;
    l.window = {0, 0, W, H};

    l.Drive1.width = 0.15 * W;
    l.Drive1.height = kChooserDriveHeight;
    l.Dir1.width = 0.30 * W;
    l.Dir1.height = 0.40 * H;
    l.File1.width = 0.35 * W;
    l.File1.height = 0.40 * H;
    l.Text1.width = 0.30 * W;
    l.Text1.height = 0.04 * H;
    for (TwipRect *label : {&l.Lbldrive, &l.Lbldir, &l.Lblname, &l.Lblname2}) {
        label->width = 0.25 * W;
        label->height = 0.04 * H;
    }
    for (TwipRect *button : {&l.Comopen, &l.Comclose}) {
        button->width = 0.10 * W;
        button->height = kChooserButtonHeight;
    }

    const double gx = (W - (l.Dir1.width + l.File1.width)) / 2;
    const double gy = (H - (l.Lbldrive.height + l.Lbldir.height + l.Text1.height + l.Dir1.height + l.Comopen.height))
                      / 6;

    l.Lbldrive.left = gx / 5;
    l.Lbldrive.top = gy / 3;
    l.Drive1.left = l.Lbldrive.left;
    l.Drive1.top = l.Lbldrive.bottom() + gy / 10;
    l.Lblname.left = l.Lbldrive.right() + gx;
    l.Lblname.top = l.Lbldrive.top;
    l.Text1.left = l.Lblname.left;
    l.Text1.top = l.Lblname.bottom() + gy / 10;
    l.Lbldir.left = l.Drive1.left;
    l.Lbldir.top = l.Drive1.bottom() + gy / 3.5;
    l.Dir1.left = l.Lbldir.left;
    l.Dir1.top = l.Lbldir.bottom() + gy / 6;
    l.Lblname2.left = l.Text1.left;
    l.Lblname2.top = l.Text1.bottom() + gy / 6;
    l.File1.left = l.Lblname2.left;
    l.File1.top = l.Lblname2.bottom() + gy / 6;
    l.Comopen.left = l.Dir1.right() - l.Comopen.width;  // right edge flush with the folder list
    l.Comopen.top = l.Dir1.bottom() + gy / 2;
    l.Comclose.left = l.Comopen.right() + gx / 2.5;
    l.Comclose.top = l.Comopen.top;
    // Beside the open: a blank workbook to fill in and import.
    l.Comtemplate.width = 0.16 * W;
    l.Comtemplate.height = kChooserButtonHeight;
    l.Comtemplate.left = l.Comclose.right() + gx / 2.5;
    l.Comtemplate.top = l.Comopen.top;
    return l;
}

}  // namespace vorlane::layout
