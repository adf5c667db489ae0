#pragma once
#include <QColor>

// The colours the screens' pictures share: the table's felt, gold rims, cream letters, the night blue
// of panels, and the plates of buttons.
inline const QColor kFelt(22, 98, 62);
inline const QColor kFeltDark(12, 64, 40);
inline const QColor kGold(238, 196, 88);
inline const QColor kCream(252, 244, 222);
inline const QColor kNight(34, 44, 66);
inline const QColor kNightDeep(18, 24, 38);
inline const QColor kGreen(30, 110, 70);
inline const QColor kRed(150, 28, 32);
inline const QColor kBlue(36, 70, 130);
inline const QColor kBrown(96, 62, 36);
