#pragma once
// Form2, the print options: the type buttons in two columns, the page choice and the
// paper choice below them, the buttons beside those two frames.
#include "layout/layout.h"

#include <array>

namespace vorlane::layout {

inline constexpr int kTypeButtons = 14;
inline constexpr int kCommandButtons = 5;

struct PrintOptionsLayout {
    TwipRect window;  // beside the command bar
    // Relative to the window.
    TwipRect Frame1, Frame2, Frame3;
    // OK, Cancel; preview and save as PDF on the row below; save as a workbook under PDF.
    std::array<TwipRect, kCommandButtons> buttons;
    // Relative to Frame1: Option1(0..6) down the first column, 7..13 down the second.
    std::array<TwipRect, kTypeButtons> Option1;
    // Relative to Frame2.
    TwipRect Option2, Option3, Label1, Text1, Label2, Text2;
    // Relative to Frame3.
    TwipRect Option4, Option5;
};

PrintOptionsLayout printOptionsLayout(const Screen &s);

}  // namespace vorlane::layout
