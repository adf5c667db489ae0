#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Whole files as bytes, for files the player keeps: read with a limit, and written so that the
// folder holds either the old file or the complete new one, whatever fails on the way.
namespace FileBytes {

enum class ReadStatus { Ok, Missing, Unreadable };

// Reads at most limit bytes of a regular file into out. Missing when nothing is at the path;
// Unreadable for anything else that cannot be read (a folder, a device, no permission).
ReadStatus Read(const std::string &path, size_t limit, std::vector<uint8_t> &out);

// Writes the bytes to path + ".tmp" in the same folder, syncs it, renames it over path and syncs the
// folder. Any failure returns false with error saying which step failed and why; up to the rename
// the temporary file is removed and the old file stays as it was. (A folder that cannot be synced
// after the rename holds the new file, which may not yet be on the disk.)
bool WriteAtomically(const std::string &path, const uint8_t *data, size_t size, std::string &error);

} // namespace FileBytes
