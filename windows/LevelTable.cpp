#include "windows/LevelTable.h"

#include "platform/Gbk.h"
#include "platform/Paths.h"

#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

LevelRow leveltable[kLevelRows];
int levelcount = 0;

namespace {

// The file's bytes read as a scanf "%s%d" reads them.
class LevelReader {
public:
    explicit LevelReader(std::istream &in) : in_(in) {}

    // The next word, or false at the end of the file. Only as many bytes as a title holds are kept,
    // however long the word.
    bool Word(std::string &word)
    {
        SkipSpace();
        word.clear();
        bool any = false;
        for (int c = in_.peek(); c != EOF && !IsSpace(c); c = in_.peek()) {
            in_.get();
            any = true;
            if (word.size() < kLevelTitleBytes - 1)
                word.push_back(static_cast<char>(c));
        }
        return any;
    }

    // A decimal number with an optional sign, clamped to the int range. Without a digit nothing is
    // taken (a lone sign included), so the word is read again as a title.
    bool Number(int32_t &value)
    {
        SkipSpace();
        std::streampos start = in_.tellg();
        bool negative = false;
        if (int c = in_.peek(); c == '-' || c == '+') {
            negative = c == '-';
            in_.get();
        }
        long long magnitude = 0;
        bool digits = false;
        for (int c = in_.peek(); c >= '0' && c <= '9'; c = in_.peek()) {
            in_.get();
            digits = true;
            if (magnitude <= INT_MAX)
                magnitude = magnitude * 10 + (c - '0');
        }
        if (!digits) {
            in_.clear();
            in_.seekg(start);
            return false;
        }
        long long signedValue = negative ? -magnitude : magnitude;
        value = static_cast<int32_t>(signedValue < INT_MIN ? INT_MIN : signedValue > INT_MAX ? INT_MAX : signedValue);
        return true;
    }

private:
    static bool IsSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    void SkipSpace()
    {
        while (IsSpace(in_.peek()))
            in_.get();
    }

    std::istream &in_;
};

} // namespace

void LoadLevelTable(std::string_view path)
{
    std::memset(leveltable, 0, sizeof leveltable);
    levelcount = 0;
    std::ifstream file(Paths::Resolve(path), std::ios::binary);
    if (!file)
        return;
    LevelReader reader(file);
    std::string word;
    while (levelcount < kLevelRows && reader.Word(word)) {
        LevelRow &row = leveltable[levelcount];
        if (!reader.Number(row.score))
            continue;
        size_t kept = GbkFit(word, kLevelTitleBytes - 1);
        std::memcpy(row.title, word.data(), kept);
        row.title[kept] = '\0';
        ++levelcount;
    }
}

const char *GetLevelTitle(int score)
{
    if (levelcount == 0)
        return "";
    for (int i = 0; i < levelcount; ++i)
        if (leveltable[i].score >= score)
            return leveltable[i].title;
    return leveltable[levelcount - 1].title;
}
