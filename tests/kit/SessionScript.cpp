#include "tests/kit/SessionScript.h"

#include "platform/Gbk.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

// Sets the reason and answers false, for the readers' early returns.
bool Fail(std::string *error, std::string why)
{
    *error = std::move(why);
    return false;
}

// One line cut into words; quoted texts and bracketed lists stay whole.
bool SplitWords(std::string_view line, std::vector<std::string> *words, std::string *error)
{
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            i++;
        if (i >= line.size() || line[i] == '#')
            break;
        std::string word;
        bool quoted = false, listed = false;
        for (; i < line.size(); i++) {
            char c = line[i];
            if (!quoted && !listed && (c == ' ' || c == '\t'))
                break;
            if (c == '\\' && quoted && i + 1 < line.size()) {
                word += c;
                word += line[++i];
                continue;
            }
            if (c == '"')
                quoted = !quoted;
            else if (!quoted && c == '[')
                listed = true;
            else if (!quoted && c == ']')
                listed = false;
            word += c;
        }
        if (quoted || listed)
            return Fail(error, "unclosed quote or list");
        words->push_back(word);
    }
    return true;
}

bool ToInt(std::string_view text, long *value)
{
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && end == text.data() + text.size();
}

// Hands each comma-separated item of a list to take, in order, until one is refused.
bool EachItem(std::string_view list, const std::function<bool(std::string_view)> &take)
{
    while (!list.empty()) {
        size_t comma = list.find(',');
        if (!take(list.substr(0, comma)))
            return false;
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return true;
}

// A quoted text with \r \n \t \\ \", converted from UTF-8 to GBK.
bool Unquote(std::string_view word, std::string *gbk, std::string *error)
{
    if (word.size() < 2 || word.front() != '"' || word.back() != '"')
        return Fail(error, "expected a quoted text: " + std::string(word));
    std::string utf8;
    for (size_t i = 1; i + 1 < word.size(); i++) {
        char c = word[i];
        if (c == '\\') {
            c = word[++i];
            c = c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
        utf8 += c;
    }
    *gbk = Utf8ToGbk(utf8);
    return true;
}

// t(5m#2): the physical index of a tile.
bool TileIndex(std::string_view word, long *index, std::string *error)
{
    *error = "bad tile " + std::string(word);
    if (word.size() < 5 || word.substr(0, 2) != "t(" || word.back() != ')')
        return false;
    std::string_view inner = word.substr(2, word.size() - 3);
    long copy = 0;
    if (size_t hash = inner.find('#'); hash != std::string_view::npos) {
        if (!ToInt(inner.substr(hash + 1), &copy) || copy < 0 || copy > 3)
            return false;
        inner = inner.substr(0, hash);
    }
    long value;
    if (inner.size() != 2 || !ToInt(inner.substr(0, 1), &value) || value < 1)
        return false;
    switch (inner[1]) {
    case 'm': case 's': case 'p':
        *index = static_cast<long>(std::string_view("msp").find(inner[1])) * 36 + 9 * copy + value - 1;
        return value <= 9;
    case 'z':
        *index = 108 + 7 * copy + value - 1;
        return value <= 7;
    case 'f':
        *index = 135 + value;
        return value <= 8 && copy == 0;
    default:
        return false;
    }
}

bool ByteValue(std::string_view word, uint8_t *out, std::string *error)
{
    long v;
    if (word.starts_with("t(")) {
        if (!TileIndex(word, &v, error))
            return false;
    } else if (!ToInt(word, &v) || v < -128 || v > 255)
        return Fail(error, "not a byte: " + std::string(word));
    *out = static_cast<uint8_t>(v);
    return true;
}

bool ByteList(std::string_view word, std::vector<uint8_t> *out, std::string *error)
{
    if (word.size() < 2 || word.front() != '[' || word.back() != ']')
        return Fail(error, "expected a list: " + std::string(word));
    return EachItem(word.substr(1, word.size() - 2), [&](std::string_view item) {
        uint8_t b;
        return ByteValue(item, &b, error) && (out->push_back(b), true);
    });
}

bool Place(RecordPattern *p, long off, const std::vector<uint8_t> &bytes, std::string *error)
{
    if (off < 0 || off + static_cast<long>(bytes.size()) > kRecordSize)
        return Fail(error, "field outside the record at " + std::to_string(off));
    std::copy(bytes.begin(), bytes.end(), p->bytes + off);
    return true;
}

// One field of a record line.
bool ParseField(const std::string &word, RecordPattern *p, std::string *error)
{
    size_t sep = word.find_first_of(":=.");
    long off;
    if (sep == std::string::npos || !ToInt(std::string_view(word).substr(0, sep), &off))
        return Fail(error, "bad field " + word);
    std::string_view rest = std::string_view(word).substr(sep);
    if (rest.starts_with("..")) {
        size_t colon = rest.find(":*");
        long to;
        if (colon == std::string_view::npos || colon + 2 != rest.size() || !ToInt(rest.substr(2, colon - 2), &to) ||
            to < off || off < 0 || to >= kRecordSize)
            return Fail(error, "bad wildcard " + word);
        for (long i = off; i <= to; i++)
            p->any[i] = true;
        return true;
    }
    if (rest.starts_with(":i32=")) {
        long v;
        if (!ToInt(rest.substr(5), &v) || v < INT32_MIN || v > INT32_MAX)
            return Fail(error, "bad i32 " + word);
        auto u = static_cast<uint32_t>(static_cast<int32_t>(v));
        return Place(p, off, {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)}, error);
    }
    if (rest.starts_with(":\"")) {
        std::string_view quoted = rest.substr(1);
        long width = -1;
        if (size_t slash = quoted.rfind("\"/"); slash != std::string_view::npos) {
            if (!ToInt(quoted.substr(slash + 2), &width))
                return Fail(error, "bad width " + word);
            quoted = quoted.substr(0, slash + 1);
        }
        std::string text;
        if (!Unquote(quoted, &text, error))
            return false;
        if (width >= 0 && static_cast<long>(text.size()) > width)
            return Fail(error, "text longer than " + std::to_string(width) + " bytes: " + word);
        return Place(p, off, std::vector<uint8_t>(text.begin(), text.end()), error);
    }
    if (rest.starts_with("=[")) {
        std::vector<uint8_t> bytes;
        return ByteList(rest.substr(1), &bytes, error) && Place(p, off, bytes, error);
    }
    if (rest.starts_with("=")) {
        uint8_t b;
        return ByteValue(rest.substr(1), &b, error) && Place(p, off, {b}, error);
    }
    return Fail(error, "bad field " + word);
}

bool ParseRecordWords(const std::vector<std::string> &words, size_t from, RecordPattern *p, std::string *error)
{
    if (from >= words.size())
        return Fail(error, "missing record type");
    if (!ByteValue(words[from], &p->bytes[0], error))
        return false;
    for (size_t i = from + 1; i < words.size(); i++)
        if (!ParseField(words[i], p, error))
            return false;
    return true;
}

// Hex bytes, ?? (expect-raw only) and quoted texts, in any mix.
bool RawBytes(const std::vector<std::string> &words, size_t from, ScriptStep *step, bool wildOk, std::string *error)
{
    for (size_t i = from; i < words.size(); i++) {
        const std::string &w = words[i];
        if (w.front() == '"') {
            std::string text;
            if (!Unquote(w, &text, error))
                return false;
            step->bytes.insert(step->bytes.end(), text.begin(), text.end());
            step->anyByte.insert(step->anyByte.end(), text.size(), false);
            continue;
        }
        long v;
        if (wildOk && w == "??") {
            step->bytes.push_back(0);
            step->anyByte.push_back(true);
        } else if (w.size() == 2 && std::from_chars(w.data(), w.data() + 2, v, 16).ec == std::errc()) {
            step->bytes.push_back(static_cast<uint8_t>(v));
            step->anyByte.push_back(false);
        } else
            return Fail(error, "not a hex byte: " + w);
    }
    if (step->bytes.empty())
        return Fail(error, "no bytes");
    return true;
}

// split=, gap= and times= options at the end of a send or raw line; they are taken off the words.
bool WriteOptions(std::vector<std::string> *words, ScriptStep *step, int *times, std::string *error)
{
    while (!words->empty()) {
        const std::string &w = words->back();
        long v;
        if (w.starts_with("times=")) {
            if (!ToInt(std::string_view(w).substr(6), &v) || v < 1 || v > 1000)
                return Fail(error, "bad times");
            *times = static_cast<int>(v);
        } else if (w.starts_with("gap=")) {
            if (!ToInt(std::string_view(w).substr(4), &v) || v < 0)
                return Fail(error, "bad gap");
            step->gap = static_cast<int>(v);
        } else if (w.starts_with("split=")) {
            if (!EachItem(std::string_view(w).substr(6), [&](std::string_view item) {
                    return ToInt(item, &v) && v >= 1 && (step->split.push_back(static_cast<int>(v)), true);
                }))
                return Fail(error, "bad split");
        } else {
            return true;
        }
        words->pop_back();
    }
    return true;
}

bool NumberArgument(const std::vector<std::string> &words, int *out, std::string *error)
{
    long v;
    if (words.size() != 2 || !ToInt(words[1], &v) || v < 0 || v > 255000)
        return Fail(error, words[0] + " takes one number");
    *out = static_cast<int>(v);
    return true;
}

bool ParseStep(std::vector<std::string> words, SessionScript *script, int *glue, std::string *error)
{
    ScriptStep step{};
    const std::string verb = words[0];
    bool ok = true;
    if (verb == "ignore") {
        step.kind = ScriptStep::IGNORE;
        long v;
        if (words.size() != 2 || !ToInt(words[1], &v) || v < 0 || v > 255)
            return Fail(error, "ignore takes one record type");
        step.number = static_cast<int>(v);
    } else if (verb == "expect") {
        step.kind = ScriptStep::EXPECT;
        ok = ParseRecordWords(words, 1, &step.pattern, error);
    } else if (verb == "expect-raw") {
        step.kind = ScriptStep::EXPECT_RAW;
        ok = RawBytes(words, 1, &step, true, error);
    } else if (verb == "send" || verb == "raw") {
        step.kind = ScriptStep::WRITE;
        int times = 1;
        RecordPattern p;
        if (!WriteOptions(&words, &step, &times, error))
            return false;
        if (verb == "raw")
            ok = RawBytes(words, 1, &step, false, error);
        else if ((ok = ParseRecordWords(words, 1, &p, error)))
            step.bytes.assign(p.bytes, p.bytes + kRecordSize);
        const std::vector<uint8_t> once = step.bytes;
        for (int k = 1; k < times; k++)
            step.bytes.insert(step.bytes.end(), once.begin(), once.end());
        if (ok && *glue > 0) {
            // Glued lines join the write of the first one.
            ScriptStep &first = script->steps.back();
            if (--*glue < 0 || first.kind != ScriptStep::WRITE)
                return Fail(error, "glue needs send or raw lines");
            if (first.bytes.empty())
                first = step;
            else
                first.bytes.insert(first.bytes.end(), step.bytes.begin(), step.bytes.end());
            return true;
        }
    } else if (verb == "glue") {
        step.kind = ScriptStep::WRITE; // filled by the send lines that follow
        ok = NumberArgument(words, glue, error) && *glue >= 1;
    } else if (verb == "pause" || verb == "expect-close") {
        step.kind = verb == "pause" ? ScriptStep::PAUSE : ScriptStep::EXPECT_CLOSE;
        ok = NumberArgument(words, &step.number, error);
    } else if (verb == "close") {
        step.kind = ScriptStep::CLOSE;
    } else {
        return Fail(error, "unknown step " + verb);
    }
    if (ok)
        script->steps.push_back(step);
    return ok;
}

} // namespace

std::string RecordPattern::Mismatch(const uint8_t *record) const
{
    for (int i = 0; i < kRecordSize; i++) {
        if (!any[i] && record[i] != bytes[i]) {
            char text[80];
            std::snprintf(text, sizeof text, "byte %d: expected %d, received %d", i, bytes[i], record[i]);
            return text;
        }
    }
    return {};
}

bool ParseRecord(std::string_view text, RecordPattern *pattern, std::string *error)
{
    std::vector<std::string> words;
    *pattern = RecordPattern{};
    return SplitWords(text, &words, error) && ParseRecordWords(words, 0, pattern, error);
}

bool ParseScript(std::string_view text, SessionScript *script, std::string *error)
{
    script->steps.clear();
    int number = 0, glue = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        number++;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::vector<std::string> words;
        std::string why;
        bool ok = SplitWords(line, &words, &why);
        if (ok && words.empty())
            continue;
        if (ok && glue > 0 && words[0] != "send" && words[0] != "raw")
            why = "glue needs send or raw lines", ok = false;
        if (ok)
            ok = ParseStep(words, script, &glue, &why);
        if (!ok)
            return Fail(error, "line " + std::to_string(number) + ": " + why);
        script->steps.back().line = number;
    }
    if (glue > 0)
        return Fail(error, "glue needs send or raw lines");
    return true;
}

std::string RecordLine(const char *verb, const uint8_t *record)
{
    std::string line = verb;
    line += ' ';
    line += std::to_string(record[0]);
    for (int i = 1; i < kRecordSize;) {
        if (record[i] == 0) {
            i++;
            continue;
        }
        int end = i;
        while (end < kRecordSize && record[end] != 0)
            end++;
        line += ' ';
        line += std::to_string(i);
        line += end - i == 1 ? "=" : "=[";
        for (int k = i; k < end; k++) {
            if (k > i)
                line += ',';
            line += std::to_string(record[k]);
        }
        if (end - i > 1)
            line += ']';
        i = end;
    }
    return line;
}
