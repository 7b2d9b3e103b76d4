#pragma once

#include <QWidget>

namespace settingsPages {

// The settings pages place their widgets at fixed pixel positions, given as
// the inclusive corners (left, top) and (right, bottom) within the parent.
inline void placeAt(QWidget* w, int left, int top, int right, int bottom)
{
    w->setGeometry(left, top, right - left + 1, bottom - top + 1);
}

}  // namespace settingsPages
