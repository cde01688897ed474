#pragma once
// The entry window: a label column and a field column over a frame of buttons and
// totals, with the counter and the record search box on the bottom row.
#include "layout/layout.h"

#include <array>

namespace vorlane::layout {

inline constexpr int kEntryRows = 7;

struct EntryLayout {
    // Relative to the window.
    TwipRect Frame4;
    TwipRect Label2, Label1, Label3, Text2;  // counter caption, counter, search caption, search box
    // Relative to Frame4.
    TwipRect Frame2, Frame1, Frame3;
    // Relative to Frame2, top to bottom: Label4, Label7, Label8, Label10, Label9, Label11, Label6.
    std::array<TwipRect, kEntryRows> labels;
    // Relative to Frame1.
    TwipRect Combo1_0, Combo1_1, Combo1_2, Combo1_3;
    TwipRect Text1_2, Text1_6, Text1_3, Text1_7, Text1_4, Label18;
    // Relative to Frame3.
    TwipRect Cmdadd, Cmdinsert, Cmddel, Cmdsave, Cmdcancel;
    TwipRect Cmdfirst, Cmdback, Cmdforward, Cmdlast;
    TwipRect Label12, Label13, Label14, Label15;
};

EntryLayout entryLayout(const Screen &s);

}  // namespace vorlane::layout
