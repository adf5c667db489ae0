#pragma once
#include <functional>

// Asks the application to end when its event loop next runs, as after a missing data file.
namespace QuitRequest {

void Post();
// Replaces what Post does (tests count the requests); an empty handler restores the real one.
void SetHandler(std::function<void()> handler);

} // namespace QuitRequest
