#include "layout/helplayout.h"

namespace vorlane::layout {

HelpLayout helpLayout(const Screen &s, double mainLeft, double mainTop)
{
    const double W = s.W, H = s.H, P = panelWidth(s);
    HelpLayout l;
    l.window = {mainLeft, mainTop, W, H};
    l.Txthelp.width = 0.9 * (W - P);
    l.Txthelp.height = 0.65 * H;
    l.Cmdclose.width = kHelpButtonWidth;
    l.Cmdclose.height = kHelpButtonHeight;

    l.Txthelp.left = mainLeft + 300;
    l.Txthelp.top = mainTop + 500;
    l.Cmdclose.left = l.Txthelp.left + 0.4 * l.Txthelp.width;
    l.Cmdclose.top = l.Txthelp.bottom() + 300;
    return l;
}

}  // namespace vorlane::layout
