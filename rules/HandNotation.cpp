#include "rules/HandNotation.h"

#include "rules/CGbHu.h"
#include "rules/CMjPlayer.h"

#include <charconv>
#include <vector>

namespace {

int SuitOf(char letter)
{
    switch (letter) {
    case 'm': return SUIT_WAN;
    case 's': return SUIT_TIAO;
    case 'p': return SUIT_BING;
    case 'z': return SUIT_ZI;
    case 'f': return SUIT_HUA;
    default: return -1;
    }
}

int TopValue(int suit)
{
    return suit == SUIT_ZI ? 7 : suit == SUIT_HUA ? 8 : 9;
}

} // namespace

std::string ParseTiles(std::string_view text, std::vector<MjTile> *tiles)
{
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
            continue;
        }
        int suit = SuitOf(c);
        if (suit < 0)
            return std::string("unknown character '") + c + "'";
        if (digits.empty())
            return std::string("suit letter '") + c + "' without digits";
        for (char d : digits) {
            int value = d - '0';
            if (value < 1 || value > TopValue(suit))
                return std::string("no tile ") + d + c;
            tiles->push_back(MakeMj(value, suit));
        }
        digits.clear();
    }
    if (!digits.empty())
        return "digits without a suit letter";
    return {};
}

namespace {

std::string ReadMeld(std::string_view text, bool concealed, HandNotation *hand)
{
    std::vector<MjTile> tiles;
    if (std::string err = ParseTiles(text, &tiles); !err.empty())
        return err;
    if (hand->meldnum == 4)
        return "more than four melds";
    int n = static_cast<int>(tiles.size());
    if (n < 3 || n > 4 || tiles[0].suit > SUIT_ZI)
        return "bad meld " + std::string(text);
    SortMj(tiles.data(), n);
    bool same = true;
    for (int i = 1; i < n; i++)
        same = same && IsSameMj(tiles[i], tiles[0]);
    bool run = n == 3 && tiles[0].suit < SUIT_ZI && tiles[1].suit == tiles[0].suit &&
               tiles[2].suit == tiles[0].suit && tiles[1].value == tiles[0].value + 1 &&
               tiles[2].value == tiles[0].value + 2;
    if (!same && !run)
        return "bad meld " + std::string(text);
    if (concealed && n != 4)
        return "only a kong can be concealed";
    GetMj &m = hand->melds[hand->meldnum];
    for (int i = 0; i < n; i++)
        m.tiles[i] = tiles[i];
    m.count = n;
    m.kind = n == 4 ? GETMJ_GANG : same ? GETMJ_PENG : GETMJ_CHI;
    hand->concealedkong[hand->meldnum++] = concealed;
    return {};
}

std::string ReadHandTiles(std::string_view text, HandNotation *hand)
{
    std::vector<MjTile> tiles;
    size_t i = 0;
    while (i < text.size() && (text[i] == '[' || text[i] == '{')) {
        char close = text[i] == '[' ? ']' : '}';
        size_t end = text.find(close, i);
        if (end == std::string_view::npos)
            return std::string("unclosed ") + text[i];
        if (std::string err = ReadMeld(text.substr(i + 1, end - i - 1), close == '}', hand); !err.empty())
            return err;
        i = end + 1;
    }
    if (std::string err = ParseTiles(text.substr(i), &tiles); !err.empty())
        return err;
    if (tiles.size() > 13)
        return "too many concealed tiles";
    hand->concealednum = static_cast<int>(tiles.size());
    for (size_t t = 0; t < tiles.size(); t++)
        hand->concealed[t] = tiles[t];
    return {};
}

std::string ReadFlag(std::string_view flag, HandNotation *hand)
{
    if (flag == "self") {
        hand->selfdrawn = true;
        return {};
    }
    if (flag == "kong") {
        hand->kongreplacement = true;
        return {};
    }
    if (flag == "rob") {
        hand->robbing = true;
        return {};
    }
    size_t eq = flag.find('=');
    if (eq == std::string_view::npos)
        return "unknown flag " + std::string(flag);
    std::string_view name = flag.substr(0, eq), value = flag.substr(eq + 1);
    if (name == "wild") {
        std::vector<MjTile> tiles;
        if (ParseTiles(value, &tiles).empty() && tiles.size() == 1) {
            hand->wild = true;
            hand->wildmj = tiles[0];
            return {};
        }
        return "bad wild tile " + std::string(value);
    }
    static constexpr struct { std::string_view name; int HandNotation::*field; int lo, hi; } kNumbers[] = {
        {"flowers", &HandNotation::flowers, 0, 8}, {"round", &HandNotation::roundwind, 1, 4},
        {"seat", &HandNotation::seatwind, 1, 4},   {"left", &HandNotation::left, 0, 144},
        {"seen", &HandNotation::seen, 0, 4},       {"minfan", &HandNotation::minfan, 0, 1000},
    };
    for (const auto &number : kNumbers) {
        if (name != number.name)
            continue;
        int n = 0;
        auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (ec != std::errc() || end != value.data() + value.size() || n < number.lo || n > number.hi)
            return "bad value " + std::string(flag);
        hand->*number.field = n;
        return {};
    }
    return "unknown flag " + std::string(flag);
}

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        size_t start = line.find_first_not_of(" \t\r\n", i);
        if (start == std::string_view::npos)
            break;
        size_t end = line.find_first_of(" \t\r\n", start);
        if (end == std::string_view::npos)
            end = line.size();
        words.push_back(line.substr(start, end - start));
        i = end;
    }
    return words;
}

} // namespace

std::string ParseHand(std::string_view line, HandNotation *hand)
{
    *hand = HandNotation{};
    std::vector<std::string_view> words = Words(line);
    if (words.size() < 2)
        return "expected <hand> <winning tile> [flags]";
    if (std::string err = ReadHandTiles(words[0], hand); !err.empty())
        return err;
    std::vector<MjTile> win;
    if (std::string err = ParseTiles(words[1], &win); !err.empty())
        return err;
    if (win.size() != 1)
        return "expected one winning tile";
    hand->win = win[0];
    for (size_t i = 2; i < words.size(); i++)
        if (std::string err = ReadFlag(words[i], hand); !err.empty())
            return err;
    int total = hand->concealednum + 1 + 3 * hand->meldnum;
    if (total != 14)
        return "the hand holds " + std::to_string(total) + " tiles, melds counted as three";
    int copies[5][10] = {};
    auto add = [&copies](MjTile t) { return ++copies[t.suit][t.value] <= 4; };
    bool ok = add(hand->win);
    for (int i = 0; i < hand->concealednum; i++)
        ok = add(hand->concealed[i]) && ok;
    for (int i = 0; i < hand->meldnum; i++)
        for (int t = 0; t < hand->melds[i].count; t++)
            ok = add(hand->melds[i].tiles[t]) && ok;
    if (!ok)
        return "more than four copies of a tile";
    return {};
}

void SeatHand(const HandNotation &hand, CMjPlayer *player)
{
    player->cardnum = hand.concealednum;
    for (int i = 0; i < hand.concealednum; i++)
        player->Mj[i] = hand.concealed[i];
    player->getnum = hand.meldnum;
    for (int i = 0; i < hand.meldnum; i++) {
        player->getmj[i] = hand.melds[i];
        player->exposed[i] = hand.concealedkong[i] ? 0 : 1;
    }
    player->zimo = hand.selfdrawn;
    player->winmj = hand.win;
    player->flowernum = hand.flowers;
    player->roundwind = hand.roundwind;
    player->seatwind = hand.seatwind;
    player->ganghu = hand.kongreplacement;
    player->qiangganghu = hand.robbing;
    player->wildmode = hand.wild;
    player->wildmj = hand.wildmj;
}

int WinningTiles(const HandNotation &hand, MjTile *tiles)
{
    int count = hand.concealednum + 1;
    for (int i = 0; i < hand.concealednum; i++)
        tiles[i] = hand.concealed[i];
    tiles[hand.concealednum] = hand.win;
    SortMj(tiles, count);
    return count;
}

std::string CheckHand(std::string_view line)
{
    HandNotation hand;
    if (std::string err = ParseHand(line, &hand); !err.empty())
        return "error: " + err;
    CMjPlayer player;
    SeatHand(hand, &player);

    MjTile tiles[14];
    int count = WinningTiles(hand, tiles);
    int seenmj[5][10] = {};
    if (hand.win.suit <= SUIT_ZI)
        seenmj[hand.win.suit][hand.win.value] = hand.seen;

    CGbHu hu;
    hu.SetMinFan(hand.minfan);
    hu.SetWildMode(hand.wild, hand.wildmj);
    if (!hu.Hu(&player, tiles, count, seenmj, hand.left))
        return "nowin";
    std::string out = "total=" + std::to_string(player.totalfan) + " fans=";
    const char *sep = "";
    for (int i = 1; i < FAN_COUNT; i++)
        if (hu.fanflag[i]) {
            out += sep;
            out += std::to_string(i);
            sep = ",";
        }
    for (int j = 0; j < EXTRA_FAN_USED; j++)
        if (hu.fanflag[CGbHu::kExtraBase + j]) {
            out += sep;
            out += 'x';
            out += std::to_string(j);
            sep = ",";
        }
    return out;
}
