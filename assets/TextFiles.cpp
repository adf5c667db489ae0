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
    // Each score is the highest of its level: a player's title is the first whose score is at least
    // the player's, and the last row takes everyone above.
    const std::string levels =
        "新手 99\r\n入门 299\r\n学徒 599\r\n熟手 999\r\n好手 1999\r\n高手 3999\r\n"
        "大师 7999\r\n宗师 15999\r\n雀圣 31999\r\n雀神 32000\r\n";
    return Write(folder / "Dirconfig.ini", dirconfig) && Write(folder / "Chat.txt", chat) &&
           Write(folder / "level.txt", levels);
}
