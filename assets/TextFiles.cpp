#include "assets/TextFiles.h"

#include "table/Addresses.h"

#include <fstream>
#include <string>

namespace {

bool Write(const std::filesystem::path &file, const std::string &text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

// The top-up dialog's advert, a 360 x 60 pane without scroll bars. The toolkit's page reader knows
// UTF-8 but not GBK, so this page alone is UTF-8.
std::string BuyAdvert()
{
    const std::string portal = kPortalUrl;
    const std::u8string page = u8"<html><head><meta charset=\"utf-8\"></head>"
                               u8"<body style=\"margin:0; background-color:#fff7e6\">"
                               u8"<table width=\"100%\" cellpadding=\"4\"><tr>"
                               u8"<td style=\"font-size:15px; font-weight:bold; color:#b8202a\">充值送金币，好运天天来！</td>"
                               u8"</tr><tr><td style=\"font-size:12px\">一张充值卡，畅玩国标麻将 "
                               u8"<a href=\"PORTAL\">了解更多</a></td></tr></table></body></html>\n";
    std::string text(page.begin(), page.end());
    text.replace(text.find("PORTAL"), 6, portal);
    return text;
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
    std::error_code ec;
    std::filesystem::create_directories(folder / "ad", ec);
    return Write(folder / "Dirconfig.ini", dirconfig) && Write(folder / "Chat.txt", chat) &&
           Write(folder / "level.txt", levels) && Write(folder / "ad" / "buy.htm", BuyAdvert());
}
