#pragma once
#include "screen/Sprite.h"

// Pictures that the table and the in-game screens both draw.
namespace sprites {

extern Sprite black;       // the dimming picture
extern Sprite popup;       // the in-game menu panel
extern Sprite sparkling;   // four sparkle cells
extern Sprite hint;        // the tool-tip balloon
extern Sprite chouma1;     // the flying chip
extern Sprite pan;
extern Sprite handback;
extern Sprite hand;        // hand animation frames, 114 x 209 each
extern Sprite chupaikuang; // discard frames, 89 x 103 each
extern Sprite level;
extern Sprite tips[3];

} // namespace sprites
