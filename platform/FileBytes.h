#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

// Whole files as bytes, for files the player keeps: read with a limit, and written so that the
// folder holds either the old file or the complete new one, whatever fails on the way.
namespace FileBytes {

enum class ReadStatus { Ok, Missing, Unreadable };

// Reads at most limit bytes of a regular file into out. Missing when nothing is at the path;
// Unreadable for anything else that cannot be read (a folder, a device, no permission).
ReadStatus Read(const std::string &path, size_t limit, std::vector<uint8_t> &out);

// Writes the bytes to path + ".tmp" in the same folder, syncs it, renames it over path and syncs the
// folder. A file left at the temporary name by an interrupted write goes first, so that the new file
// is made with mode (less the umask). Any failure returns false with error saying which step failed
// and why; up to the rename the temporary file is removed and the old file stays as it was. (A folder
// that cannot be synced after the rename holds the new file, which may not yet be on the disk.)
bool WriteAtomically(const std::string &path, const uint8_t *data, size_t size, std::string &error,
                     mode_t mode = 0644);

// Creates an empty file at path for writing and returns its descriptor, or -1 (errno says why).
// Whatever stands at the name (a file or a link, never a folder) is removed first and the name taken
// afresh, so nothing already there is ever written through, and the file gets mode (less the umask).
int CreateAfresh(const std::string &path, mode_t mode = 0644);

// Removes what interrupted writes left in the folder: the temporary files of files named
// "*<extension>" (files and links, never a folder). Only one program may run on the folder meanwhile.
void RemoveLeftovers(const std::string &folder, std::string_view extension);

} // namespace FileBytes
