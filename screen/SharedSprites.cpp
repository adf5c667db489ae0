#include "screen/SharedSprites.h"

namespace sprites {

Sprite black;
Sprite popup;
Sprite sparkling;
Sprite hint;
Sprite chouma1;
Sprite pan;
Sprite handback;
Sprite hand;
Sprite chupaikuang;
Sprite level;
Sprite tips[3];

} // namespace sprites
