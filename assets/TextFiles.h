#pragma once
#include <filesystem>

// The INI and text files of the data folder: server list, chat lines, level titles and the advert
// page under "ad\". "SET.ini" is not shipped: the program writes it when it ends.
bool WriteTextFiles(const std::filesystem::path &folder);
