#include "platform/KeyInput.h"

#include "platform/Gbk.h"

#include <Qt>

int KeyCode(int key)
{
    static const struct {
        int toolkit;
        int code;
    } kKeys[] = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},      {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},    {Qt::Key_Escape, 27},  {Qt::Key_Space, 32},   {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},     {Qt::Key_Home, 36},    {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},       {Qt::Key_Right, 39},   {Qt::Key_Down, 40},    {Qt::Key_Delete, 46},
    };
    for (const auto &k : kKeys)
        if (k.toolkit == key)
            return k.code;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 48 + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 65 + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return 112 + (key - Qt::Key_F1);
    return 0;
}

std::string TypedBytes(std::string_view utf8)
{
    std::string bytes;
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            if (lead >= 32 ? lead != 127 : lead == 8 || lead == 9 || lead == 13 || lead == 27)
                bytes += static_cast<char>(lead);
            ++i;
            continue;
        }
        const size_t width = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        std::string_view ch = utf8.substr(i, width);
        i += width;
        // The converter marks what it cannot convert with '?', which no other character gives.
        std::string gbk = Utf8ToGbk(ch);
        if (gbk.find('?') == std::string::npos)
            bytes += gbk;
    }
    return bytes;
}
