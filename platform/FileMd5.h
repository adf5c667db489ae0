#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Two upper-case hexadecimal digits per byte, the high nibble first.
std::string BytesToHex(const uint8_t *bytes, size_t n);

// The MD5 of a whole file as 32 upper-case hexadecimal digits, read in pieces so that a file of any
// size costs no more memory than one piece; empty when the file cannot be opened or read.
std::string FileMd5Hex(std::string_view path);
