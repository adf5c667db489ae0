#pragma once
#include <functional>

// Asks the main window to close, as its close box would: its closing runs, then the program ends
// and the game object writes its settings as it goes. The request is carried out when the event
// loop next runs, never inside the click that asked for it.
namespace CloseRequest {

void Post();
// Replaces what Post does (tests count the requests); an empty handler restores the real one.
void SetHandler(std::function<void()> handler);

} // namespace CloseRequest
