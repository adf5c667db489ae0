#pragma once
#include <string>
#include <string_view>

// The program keeps text as GBK bytes; the toolkit speaks UTF-8. These convert at that boundary.
// Bytes that do not convert are replaced ('?'), so a damaged string never stops the conversion.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
