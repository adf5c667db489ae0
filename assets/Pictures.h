#pragma once
#include <filesystem>

// Every picture of the data folder, under "Graphic\", and the contact sheet that shows them all,
// written beside the data folder.
bool WritePictures(const std::filesystem::path &folder);
