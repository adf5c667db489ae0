#pragma once
#include <filesystem>

// The INI and text files of the data folder: server list, chat lines and level titles. "SET.ini"
// is not shipped: the program writes it when it ends.
bool WriteTextFiles(const std::filesystem::path &folder);
