#include "platform/Paths.h"

#include <filesystem>
#include <strings.h>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string g_programFolder = ".";

// The entry of dir whose name equals name ignoring case; the exact name wins when both exist.
std::string MatchEntry(const fs::path &dir, const std::string &name)
{
    std::error_code ec;
    if (fs::exists(dir / name, ec))
        return name;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (strcasecmp(entry.c_str(), name.c_str()) == 0)
            return entry;
    }
    return {};
}

std::string Slashed(std::string_view path)
{
    std::string mapped(path);
    for (char &c : mapped)
        if (c == '\\')
            c = '/';
    return mapped;
}

} // namespace

namespace Paths {

const std::string &ProgramFolder()
{
    return g_programFolder;
}

void SetProgramFolder(std::string folder)
{
    g_programFolder = std::move(folder);
}

std::string Resolve(std::string_view path)
{
    fs::path wanted(Slashed(path));
    fs::path base = wanted.is_absolute() ? fs::path("/") : fs::path(g_programFolder);
    fs::path found = base;
    bool matched = true;
    for (const fs::path &part : wanted.relative_path()) {
        std::string name = part.string();
        if (name.empty() || name == ".") {
            continue;
        }
        std::string entry = matched && name != ".." ? MatchEntry(found, name) : std::string();
        if (entry.empty()) {
            matched = matched && name == "..";
            found /= name;
        } else {
            found /= entry;
        }
    }
    return found.string();
}

bool Exists(std::string_view path)
{
    std::error_code ec;
    return fs::exists(Resolve(path), ec);
}

std::string Relative(std::string_view path)
{
    std::string mapped = Slashed(path);
    const std::string folder = g_programFolder + "/";
    if (mapped.compare(0, folder.size(), folder) == 0)
        mapped.erase(0, folder.size());
    return mapped;
}

} // namespace Paths
