#include "assets/TextFiles.h"

#include <fstream>
#include <string>

namespace {

bool Write(const std::filesystem::path &file, const std::string &text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

} // namespace

bool WriteTextFiles(const std::filesystem::path &folder)
{
    // Literals are GBK (the build's execution character set), as the program reads these files.
    const std::string dirconfig =
        "[Public]\r\nServerNum=2\r\n"
        "[DIRSERVER0]\r\nname=电信服务器\r\nhost=127.0.0.1\r\nport=1982\r\n"
        "[DIRSERVER1]\r\nname=网通服务器\r\nhost=127.0.0.1\r\nport=1982\r\n";
    const std::string chat =
        "欢迎来到 Lantile 麻将！\r\n"
        "国标麻将：八番起和，祝您手气好。\r\n"
        "友好交流，文明游戏。\r\n";
    const std::string levels =
        "新手 0\r\n入门 100\r\n学徒 300\r\n熟手 600\r\n好手 1000\r\n高手 2000\r\n"
        "大师 4000\r\n宗师 8000\r\n雀圣 16000\r\n雀神 32000\r\n";
    return Write(folder / "Dirconfig.ini", dirconfig) && Write(folder / "Chat.txt", chat) &&
           Write(folder / "level.txt", levels);
}
