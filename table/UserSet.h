#pragma once
#include <cstdint>

// The user's lobby filters: whom the server may seat at the same table, and whether invitations and
// private chat are accepted. Kept in "SET.ini" [UserSet] and sent to the server as one record.
struct UserSet {
    uint8_t invite = 1;          // invitations accepted
    int32_t ip = 0;              // 3 or 4: refuse players whose address agrees in its first 3 (4) parts
    uint8_t escape = 0;          // escape-rate filter on
    int32_t escaperate = 50;     // 0-100
    uint8_t limitscore1 = 0;     // score-difference filter on
    int32_t limitscore1rate = 0;
    uint8_t limitscore2 = 0;     // minimum-score filter on
    int32_t limitscore2rate = 0;
    uint8_t p2ptalk = 1;         // private chat allowed
};
