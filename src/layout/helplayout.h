#pragma once
// Frmhelp: the help text and its close button, at fixed offsets from the main window.
#include "layout/layout.h"

namespace vorlane::layout {

struct HelpLayout {
    TwipRect window;
    TwipRect Txthelp, Cmdclose;
};

// The close button's own size, which the rule leaves to the control.
inline constexpr double kHelpButtonWidth = 1800;
inline constexpr double kHelpButtonHeight = 495;

// mainLeft, mainTop: the main window's position (0, 0 when it fills the screen).
HelpLayout helpLayout(const Screen &s, double mainLeft = 0, double mainTop = 0);

}  // namespace vorlane::layout
