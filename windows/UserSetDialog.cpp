#include "windows/UserSetDialog.h"

#include "platform/Profile.h"

#include <charconv>
#include <optional>

namespace {

const char *const kSection = "UserSet";
const char *const kNotANumber = "输入的不是数字";
const char *const kRateOutOfRange = "逃跑率为0-100的数";

int Key(const char *ini, const char *key, int def)
{
    return Profile::ReadInt(ini, kSection, key, def);
}

void Put(Profile::Edit &ini, const char *key, int value)
{
    ini.Set(kSection, key, std::to_string(value));
}

// The whole text as a decimal int; none for an empty text, other characters or an overflow.
std::optional<int32_t> Number(const std::string &text)
{
    int32_t value = 0;
    const char *end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::string Shown(bool on, int32_t value)
{
    return on ? std::to_string(value) : std::string();
}

} // namespace

UserSet ReadUserSet(const char *ini)
{
    UserSet f;
    f.invite = Key(ini, "Invite", 1) == 1;
    const int ip = Key(ini, "IP", 0);
    f.ip = ip == 0 || ip == 3 ? ip : 4;
    f.escape = Key(ini, "ESCAPE", 0) != 0;
    f.escaperate = 0;
    if (f.escape) {
        const int rate = Key(ini, "ESCAPERATE", 50);
        f.escaperate = rate >= 0 && rate <= 100 ? rate : 0;
    }
    f.limitscore1 = Key(ini, "LIMITSCORE1", 0) != 0;
    f.limitscore1rate = f.limitscore1 ? Key(ini, "LIMITSCORE1RATE", 0) : 0;
    f.limitscore2 = Key(ini, "LIMITSCORE2", 0) != 0;
    f.limitscore2rate = f.limitscore2 ? Key(ini, "LIMITSCORE2RATE", 0) : 0;
    f.p2ptalk = Key(ini, "P2PTalk", 1) == 1;
    return f;
}

void WriteUserSet(Profile::Edit &ini, const UserSet &f, int roomid)
{
    Put(ini, "Invite", f.invite ? 1 : 0);
    Put(ini, "IP", f.ip == 3 || f.ip == 4 ? f.ip : 0);
    Put(ini, "ESCAPE", f.escape ? 1 : 0);
    Put(ini, "ESCAPERATE", f.escaperate);
    Put(ini, "LIMITSCORE1", f.limitscore1 ? 1 : 0);
    Put(ini, "LIMITSCORE1RATE", f.limitscore1rate);
    Put(ini, "LIMITSCORE2", f.limitscore2 ? 1 : 0);
    Put(ini, "LIMITSCORE2RATE", f.limitscore2rate);
    Put(ini, "RoomID", roomid);
    Put(ini, "P2PTalk", f.p2ptalk ? 1 : 0);
}

UserSetDialog UserSetDialog::For(const UserSet &f)
{
    UserSetDialog d;
    d.invite = f.invite;
    d.iprule = f.ip != 0;
    d.ipitem = f.ip == 3 ? IP_THREE : IP_FOUR;
    d.escape = f.escape;
    d.escapetext = Shown(f.escape, f.escaperate);
    d.limit1 = f.limitscore1;
    d.limit1text = Shown(f.limitscore1, f.limitscore1rate);
    d.limit2 = f.limitscore2;
    d.limit2text = Shown(f.limitscore2, f.limitscore2rate);
    return d;
}

const char *UserSetDialog::TakeInto(UserSet &f) const
{
    f.invite = invite;
    f.ip = !iprule ? 0 : ipitem == IP_THREE ? 3 : 4;

    f.escape = escape;
    if (escape) {
        const std::optional<int32_t> rate = Number(escapetext);
        if (!rate || *rate < 0 || *rate > 100) {
            f.escape = 0;
            return rate ? kRateOutOfRange : kNotANumber;
        }
        f.escaperate = *rate;
    }
    // The two scores: a number of any size that fits.
    struct Score {
        bool on;
        const std::string &text;
        uint8_t &flag;
        int32_t &value;
    };
    for (const Score &s : {Score{limit1, limit1text, f.limitscore1, f.limitscore1rate},
                           Score{limit2, limit2text, f.limitscore2, f.limitscore2rate}}) {
        s.flag = s.on;
        if (!s.on)
            continue;
        const std::optional<int32_t> value = Number(s.text);
        if (!value) {
            s.flag = 0;
            return kNotANumber;
        }
        s.value = *value;
    }
    return nullptr;
}
