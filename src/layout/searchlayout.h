#pragma once
// Frmsearch: caption, search box, result box, OK and Cancel.
#include "layout/layout.h"

namespace vorlane::layout {

struct SearchLayout {
    TwipRect window;
    TwipRect Label1, Txtsearch0, Txtsearch1, Command1_2, Command1_3;
};

SearchLayout searchLayout(const Screen &s);

}  // namespace vorlane::layout
