#pragma once
// Form3: the batch list, the detail text and the two buttons.
#include "layout/layout.h"

namespace vorlane::layout {

struct ReviewLayout {
    TwipRect window;
    TwipRect List1, Text1, Command1, Command2;
};

ReviewLayout reviewLayout(const Screen &s);

}  // namespace vorlane::layout
