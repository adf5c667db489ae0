#pragma once
#include <functional>
#include <string>
#include <string_view>

// An http or https address with a host (GBK).
bool IsWebAddress(std::string_view url);

// Opens a web page in the user's browser. Addresses come from the server too, so only web addresses
// are opened; anything else (a file, a program, a script) is refused: false.
bool OpenUrl(std::string_view url);

// Shows a folder of this machine in the file manager; tests see it as a "file://" address.
bool OpenFolder(const std::string &path);

// Replaces the browser (tests record the addresses opened); an empty handler restores it.
void SetOpenUrlHandler(std::function<void(const std::string &)> handler);
