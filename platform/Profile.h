#pragma once
#include <string_view>

// INI files as the game's settings use them. Section and key names compare without regard to case;
// the path goes through Paths::Resolve.
namespace Profile {

// Copies the value (or the default when the key or file is missing) into buf, at most size - 1
// bytes cut between GBK characters, and always terminated; returns the number of bytes copied.
int ReadString(std::string_view path, std::string_view section, std::string_view key, std::string_view def,
               char *buf, int size);
// The leading integer of the value, as atoi reads it (sign kept, 0 when there is no number);
// the default only when the key is missing.
int ReadInt(std::string_view path, std::string_view section, std::string_view key, int def);
// Sets key = value, creating the file, the section or the key when missing and keeping every other
// line as it was. Returns false when the file cannot be written.
bool WriteString(std::string_view path, std::string_view section, std::string_view key, std::string_view value);

} // namespace Profile
