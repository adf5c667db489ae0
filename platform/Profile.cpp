#include "platform/Profile.h"

#include "platform/FileBytes.h"
#include "platform/Gbk.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <strings.h>
#include <utility>
#include <vector>

namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// Lines end in CR LF; a CR anywhere else ends its line's text as well.
std::vector<std::string> ReadLines(const std::string &file)
{
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        line.resize(std::min(line.size(), line.find('\r')));
        lines.push_back(line);
    }
    return lines;
}

bool IsOneLine(std::string_view name)
{
    return Profile::FirstLine(name).size() == name.size();
}

// The section name when the line is a header, else nothing.
std::optional<std::string> SectionOf(const std::string &line)
{
    std::string t = Trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return Trim(std::string_view(t).substr(1, t.size() - 2));
    return std::nullopt;
}

// The key of a "key=value" line; nothing for other lines.
std::optional<std::string> KeyOf(const std::string &line)
{
    size_t eq = line.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    return Trim(std::string_view(line).substr(0, eq));
}

std::optional<std::string> Lookup(std::string_view path, std::string_view section, std::string_view key)
{
    bool inSection = false;
    for (const std::string &line : ReadLines(Paths::Resolve(path))) {
        if (auto s = SectionOf(line)) {
            inSection = SameName(*s, section);
            continue;
        }
        if (!inSection)
            continue;
        auto k = KeyOf(line);
        if (k && SameName(*k, key))
            return Trim(std::string_view(line).substr(line.find('=') + 1));
    }
    return std::nullopt;
}

} // namespace

namespace Profile {

int ReadString(std::string_view path, std::string_view section, std::string_view key, std::string_view def,
               char *buf, int size)
{
    if (size <= 0)
        return 0;
    std::string value = Lookup(path, section, key).value_or(std::string(def));
    int n = static_cast<int>(GbkFit(value, static_cast<size_t>(size - 1)));
    std::memcpy(buf, value.data(), n);
    buf[n] = '\0';
    return n;
}

int ReadInt(std::string_view path, std::string_view section, std::string_view key, int def)
{
    auto value = Lookup(path, section, key);
    if (!value)
        return def;
    return static_cast<int>(std::strtol(value->c_str(), nullptr, 10));
}

std::string_view FirstLine(std::string_view text)
{
    return text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
}

Edit::Edit(std::string_view path) : file_(Paths::Resolve(path)), lines_(ReadLines(file_)) {}

void Edit::AddSection(std::string_view section)
{
    for (const std::string &line : lines_)
        if (auto s = SectionOf(line); s && SameName(*s, section))
            return;
    std::string header(1, '[');
    header.append(section).push_back(']');
    lines_.push_back(std::move(header));
}

bool Edit::Set(std::string_view section, std::string_view key, std::string_view value)
{
    if (!IsOneLine(section) || !IsOneLine(key))
        return false;
    std::string entry = std::string(key) + "=" + std::string(FirstLine(value));

    bool inSection = false;
    std::optional<size_t> sectionEnd; // where a new key of the section goes
    for (size_t i = 0; i < lines_.size(); i++) {
        if (auto s = SectionOf(lines_[i])) {
            if (inSection)
                break;
            inSection = SameName(*s, section);
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        auto k = KeyOf(lines_[i]);
        if (k && SameName(*k, key)) {
            lines_[i] = std::move(entry);
            return true;
        }
        if (!Trim(lines_[i]).empty())
            sectionEnd = i + 1;
    }
    if (!sectionEnd) {
        AddSection(section);
        sectionEnd = lines_.size();
    }
    lines_.insert(lines_.begin() + static_cast<long>(*sectionEnd), std::move(entry));
    return true;
}

bool Edit::Commit(std::string &error) const
{
    std::string bytes;
    for (const std::string &line : lines_)
        bytes.append(line).append("\r\n");
    return FileBytes::WriteAtomically(file_, reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), error,
                                      0600);
}

bool WriteString(std::string_view path, std::string_view section, std::string_view key, std::string_view value)
{
    Edit edit(path);
    std::string error;
    return edit.Set(section, key, value) && edit.Commit(error);
}

} // namespace Profile
