#pragma once
#include "table/GameMsg.h"

#include <string>
#include <string_view>

// A server record written as a session script's send line writes it ("3 3=1 4=t(9m#0)"), for tests
// that hand records to the game object themselves; an empty record and the reason when the line
// cannot be read.
GameMsg ScriptRecord(std::string_view line, std::string *error = nullptr);
