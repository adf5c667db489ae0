#pragma once
#include <string>
#include <string_view>

// The program keeps text as GBK bytes; the toolkit speaks UTF-8. These convert at that boundary.
// Damaged GBK bytes become '?', so a damaged string never stops the conversion; characters that GBK
// lacks (emoji and the like) are dropped, so typed text never gains stray bytes.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// The length of the longest start of a GBK text that fits in maxBytes without splitting a character
// (a lead byte 0x81-0xFE takes the byte after it). Fixed-width fields are filled with this cut.
size_t GbkFit(std::string_view gbk, size_t maxBytes);

// True when the text is whole GBK characters and holds no control byte: printable ASCII, or a lead
// byte 0x81-0xFE followed by a trail byte 0x40-0xFE other than 0x7F. Names read from files are held
// to it.
bool IsGbkText(std::string_view gbk);

// The text without the spaces, tabs and line ends at either end. GBK text is cut safely: no byte of
// a two-byte character is one of them.
std::string Trim(std::string_view text);

// A chat line kept on one line: every control byte (below 0x20, and 0x7F) becomes a space, so a line
// break or a tab can never start what looks like a line of its own. No GBK character holds such a
// byte, so the characters around them stay whole.
std::string OneLine(std::string_view gbk);
