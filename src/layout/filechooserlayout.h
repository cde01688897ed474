#pragma once
// frmOpen: drive, folder and file lists, the name box and the two buttons.
#include "layout/layout.h"

namespace vorlane::layout {

struct FileChooserLayout {
    TwipRect window;
    TwipRect Lbldrive, Drive1, Lbldir, Dir1, Lblname, Text1, Lblname2, File1, Comopen, Comclose, Comtemplate;
};

// Heights the rule leaves to the controls themselves: one line of a drop-down list and
// one button.
inline constexpr double kChooserDriveHeight = 360;
inline constexpr double kChooserButtonHeight = 495;

FileChooserLayout fileChooserLayout(const Screen &s);

}  // namespace vorlane::layout
