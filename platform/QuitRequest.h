#pragma once
#include <functional>
#include <string>

// Asks the application to end when its event loop next runs, as after a closed window.
namespace QuitRequest {

void Post();
// A failure the program cannot go on from (a data file is missing): when the event loop next runs, a
// box says why (GBK) and the program ends with exit code 1. Only the first failure of a run is told;
// after it, further requests of either kind add nothing.
void PostFailure(const std::string &why);
// Replaces what both do (tests count the requests and read why, empty for Post); an empty handler
// restores the real one.
void SetHandler(std::function<void(const std::string &why)> handler);

} // namespace QuitRequest
