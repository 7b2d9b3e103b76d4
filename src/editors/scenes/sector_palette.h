#pragma once

#include <QColor>

#include <array>

// The colours of the 24 active-scene sectors, pastel hues a fifteenth of
// the colour wheel apart: the sector table and the compound-scene faders
// show each sector in its own.
inline constexpr std::array<const char*, 24> sectorPalette = {
    "#FFA799", "#FFC099", "#FFDA99", "#FFF399", "#F1FF99", "#D8FF99", "#BEFF99", "#A5FF99",
    "#99FFA7", "#99FFC0", "#99FFDA", "#99FFF3", "#99F1FF", "#99D8FF", "#99BEFF", "#99A5FF",
    "#A799FF", "#C099FF", "#DA99FF", "#F399FF", "#FF99F1", "#FF99D8", "#FF99BE", "#FF99A5",
};

inline QColor sectorColour(int sector)
{
    return QColor(QLatin1String(sectorPalette[size_t(sector)]));
}
