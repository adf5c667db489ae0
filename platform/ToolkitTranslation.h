#pragma once

// The toolkit's own words (the standard buttons of boxes and dialogs: OK, Yes, No, Close, Cancel) in
// Chinese, as every other text of the game. False when the translation is not installed: the
// toolkit then keeps its English.
bool InstallToolkitTranslation();
