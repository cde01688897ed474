#pragma once
// From the layout rules in twips to widgets in pixels, and text that fits its control.
#include "layout/layout.h"

#include <QString>

class QWidget;

namespace vorlane {

// The screen the widget is on (the primary screen when none), in twips:
// pixels x 1440 / logical DPI.
layout::Screen currentScreen(const QWidget *w = nullptr);

// Sets the widget's geometry from a rectangle in twips.
void placeTwips(QWidget *w, const layout::TwipRect &r, const layout::Screen &s);

// Shrinks the widget's font (never below the inherited size's floor) until `text`
// fits its width and a line fits its height; a control wide enough keeps the
// inherited font. Pass an empty text to fit the height only (text boxes, selectors).
void fitText(QWidget *w, const QString &text);

// A font that shows Thai well at the screen's size, for the whole program.
void applyProgramFont(const layout::Screen &s);

}  // namespace vorlane
