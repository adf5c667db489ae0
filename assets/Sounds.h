#pragma once
#include <filesystem>

// The sounds of the data folder, under "Wave\". Each returns false when a file cannot be written.
bool WriteEffects(const std::filesystem::path &folder);
bool WriteTune(const std::filesystem::path &folder);
// The spoken tiles and calls, male and female, by the speech synthesiser.
bool WriteVoices(const std::filesystem::path &folder);
