#pragma once
#include <string>
#include <string_view>

// The program folder holds the data folder; every data path is relative to it and may be written
// with backslashes. Names are matched without regard to case, as the data files are named loosely.
namespace Paths {

const std::string &ProgramFolder();
// The program sets it from its own location at start; tests point it at a scratch folder.
void SetProgramFolder(std::string folder);

// Maps a path such as "Graphic\ScoreForm\background.bmp" to an existing file or folder, matching
// each name case-insensitively; relative paths start at the program folder. When nothing matches,
// the mapped path (slashes, same case) is returned so that a caller can create it.
std::string Resolve(std::string_view path);
bool Exists(std::string_view path);
// The path as seen from the program folder, with slashes: "Graphic\DeskMj.bmp" and the program folder
// joined with it both give "Graphic/DeskMj.bmp"; a path elsewhere only has its slashes turned.
std::string Relative(std::string_view path);

} // namespace Paths
