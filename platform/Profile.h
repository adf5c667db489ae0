#pragma once
#include <string>
#include <string_view>
#include <vector>

// INI files as the game's settings use them. Section and key names compare without regard to case;
// the path goes through Paths::Resolve. A value is one line: the reader ends it at the first CR,
// and the writer at the first CR, LF or NUL, so that no value can make a line of its own.
namespace Profile {

// Copies the value (or the default when the key or file is missing) into buf, at most size - 1
// bytes cut between GBK characters, and always terminated; returns the number of bytes copied.
int ReadString(std::string_view path, std::string_view section, std::string_view key, std::string_view def,
               char *buf, int size);
// The leading integer of the value, as atoi reads it (sign kept, 0 when there is no number);
// the default only when the key is missing.
int ReadInt(std::string_view path, std::string_view section, std::string_view key, int def);

// The text up to its first CR, LF or NUL: what a value or a one-line field may hold.
std::string_view FirstLine(std::string_view text);

// Changes to one file, written by Commit as a whole new file that replaces the old one at once: a
// kill at any moment leaves the old file or the new one, complete. Lines no change touches keep
// their order and bytes. The file is readable by this user only, as it may hold a password.
class Edit {
public:
    explicit Edit(std::string_view path);

    // A section header at the end of the file, unless the section is there already.
    void AddSection(std::string_view section);
    // key = value, making the key (at the end of its section) or the section (at the end of the
    // file) when missing; the value is cut to its first line. A section or key name that is not a
    // single line is refused: false, and nothing changes.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // False when the file cannot be written, with error saying which step failed and why; the old
    // file is then as it was.
    [[nodiscard]] bool Commit(std::string &error) const;
    // The file written, as found from the program folder.
    const std::string &File() const { return file_; }

private:
    std::string file_;
    std::vector<std::string> lines_;
};

// One key, written at once: an Edit of that key alone.
bool WriteString(std::string_view path, std::string_view section, std::string_view key, std::string_view value);

} // namespace Profile
