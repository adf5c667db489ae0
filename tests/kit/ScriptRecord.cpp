#include "tests/kit/ScriptRecord.h"

#include "tests/kit/SessionScript.h"

#include <cstring>

GameMsg ScriptRecord(std::string_view line, std::string *error)
{
    RecordPattern pattern;
    std::string why;
    GameMsg msg;
    if (!ParseRecord(line, &pattern, &why)) {
        if (error)
            *error = why;
        return msg;
    }
    std::memcpy(msg.Data(), pattern.bytes, GameMsg::kSize);
    return msg;
}
