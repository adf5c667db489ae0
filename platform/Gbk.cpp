#include "platform/Gbk.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

// Bytes of the UTF-8 sequence that starts with lead (1 for a byte that starts none).
size_t Utf8Length(unsigned char lead)
{
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// fromUtf8: what cannot be converted is a character outside GBK, dropped whole; otherwise a
// damaged byte, marked with '?'.
std::string Convert(iconv_t cd, std::string_view in, bool fromUtf8)
{
    // Both encodings write plain ASCII as it stands.
    if (std::all_of(in.begin(), in.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(in);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // a fresh start for this text
    std::string out;
    out.resize(in.size() * 4 + 4);
    char *src = const_cast<char *>(in.data());
    size_t srcLeft = in.size();
    char *dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            break; // cannot happen: four output bytes per input byte is enough for both directions
        size_t skip = 1;
        if (fromUtf8)
            skip = std::min(Utf8Length(static_cast<unsigned char>(*src)), srcLeft);
        else {
            *dst++ = '?';
            dstLeft--;
        }
        src += skip;
        srcLeft -= skip;
    }
    out.resize(out.size() - dstLeft);
    return out;
}

// A converter opened once for each thread and direction: opening one costs more than most texts.
class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;
    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

std::string GbkToUtf8(std::string_view gbk)
{
    thread_local const Converter toUtf8("UTF-8", "GBK");
    return Convert(toUtf8.Get(), gbk, false);
}

std::string Utf8ToGbk(std::string_view utf8)
{
    thread_local const Converter toGbk("GBK", "UTF-8");
    return Convert(toGbk.Get(), utf8, true);
}

size_t GbkFit(std::string_view gbk, size_t maxBytes)
{
    size_t end = 0;
    while (end < gbk.size()) {
        auto lead = static_cast<unsigned char>(gbk[end]);
        size_t width = (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return std::min(end, gbk.size());
}

bool IsGbkText(std::string_view gbk)
{
    for (size_t i = 0; i < gbk.size(); i++) {
        auto b = static_cast<unsigned char>(gbk[i]);
        if (b >= 0x20 && b < 0x7F)
            continue;
        if (b < 0x81 || b > 0xFE || i + 1 == gbk.size())
            return false;
        auto trail = static_cast<unsigned char>(gbk[++i]);
        if (trail < 0x40 || trail > 0xFE || trail == 0x7F)
            return false;
    }
    return true;
}

std::string Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

std::string OneLine(std::string_view gbk)
{
    std::string line(gbk);
    for (char &c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return line;
}
