#include "assets/PictureBook.h"
#include "platform/Paths.h"
#include "platform/ResourceModule.h"

#include <array>
#include <fstream>
#include <string_view>

namespace {

// The start needs these even from a damaged data folder, so the program carries them itself.
constexpr std::array<std::string_view, 2> kOwnPictures = {"Graphic\\LoadGame.bmp", "Graphic\\ModeForm\\background.bmp"};

// The table's pictures and its buttons lie directly in "Graphic\" and in these folders.
constexpr std::array<std::string_view, 6> kTableFolders = {"Center", "ChatWnd", "Flower", "MainForm", "NewStyle", "Tips"};

bool IsBitmap(std::string_view path)
{
    return path.size() > 4 && path.substr(path.size() - 4) == ".bmp";
}

// The bundle: the table's bitmaps, and the program's own pictures too, so that a switch of the
// display mode finds again whatever the start could find.
bool InBundle(std::string_view path)
{
    if (!IsBitmap(path) || path.substr(0, 8) != "Graphic\\")
        return false;
    for (std::string_view own : kOwnPictures)
        if (path == own)
            return true;
    std::string_view rest = path.substr(8);
    size_t slash = rest.find('\\');
    if (slash == std::string_view::npos)
        return true;
    for (std::string_view folder : kTableFolders)
        if (rest.substr(0, slash) == folder && rest.find('\\', slash + 1) == std::string_view::npos)
            return true;
    return false;
}

// A resource list for the toolkit's resource compiler: each picture under the name the program asks
// for, read from the data folder (a path relative to the list).
bool WriteList(const std::filesystem::path &file, const std::string &prefix, const std::string &dataFolder,
               const std::vector<std::string> &paths)
{
    std::ofstream out(file, std::ios::trunc);
    out << "<RCC>\n  <qresource prefix=\"" << prefix << "\">\n";
    for (const std::string &path : paths)
        out << "    <file alias=\"" << ResourceModule::Name(path) << "\">" << dataFolder << "/" << Paths::Relative(path)
            << "</file>\n";
    out << "  </qresource>\n</RCC>\n";
    return static_cast<bool>(out.flush());
}

} // namespace

bool WriteResourceLists(const PictureBook &book, const std::filesystem::path &data)
{
    std::vector<std::string> bundle;
    for (const PictureBook::Entry &entry : book.Entries())
        if (InBundle(entry.path))
            bundle.push_back(entry.path);
    const std::string folder = data.filename().string();
    const std::filesystem::path lists = data.parent_path();
    return WriteList(lists / "MjRes.qrc", "/", folder, bundle) &&
           WriteList(lists / "OwnPictures.qrc", "/Lantile", folder, {kOwnPictures.begin(), kOwnPictures.end()});
}
