#pragma once

#include <QPushButton>

#include <algorithm>

// Translations run longer than the English texts the skin's buttons were
// drawn for: the width a button needs to show its text clear of the rounded
// ends of its picture, and never less than the width it was given.
inline constexpr int kButtonTextMargin = 8;

inline int widthForText(const QPushButton *button, int least)
{
    // The style sheet may set the font; it is applied when polished.
    button->ensurePolished();
    return std::max(least, button->fontMetrics().horizontalAdvance(button->text()) + 2 * kButtonTextMargin);
}
