#pragma once
// The depositor dialog: a heading, two labelled boxes and the confirm button.
#include "layout/layout.h"

namespace vorlane::layout {

struct DepositorLayout {
    TwipRect Label3;    // heading, centred over the name box
    TwipRect Label1;    // "ชื่อ/นามสกุล"
    TwipRect Text1;     // name
    TwipRect Label2;    // "ที่อยู่"
    TwipRect Text2;     // address
    TwipRect Command1;  // "ตกลง", centred under the address box
};

DepositorLayout depositorLayout(const Screen &s);

}  // namespace vorlane::layout
