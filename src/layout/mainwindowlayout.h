#pragma once
// The main window: the command bar panel at the right edge, its eight buttons, and the
// work area left of it.
#include "layout/layout.h"

#include <array>

namespace vorlane::layout {

inline constexpr int kCommandButtons = 8;

struct MainWindowLayout {
    TwipRect panel;                                 // Picture1, in the main window's client area
    TwipRect workArea;                              // where the work windows are shown
    std::array<TwipRect, kCommandButtons> buttons;  // Command1(i), relative to the panel
};

// `panelHeight` is the height the panel actually has (the client area's height); every
// other figure comes from the screen.
MainWindowLayout mainWindowLayout(const Screen &s, double panelHeight);

}  // namespace vorlane::layout
