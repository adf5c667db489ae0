#pragma once
#include <cstdint>

// One game server of the server list (104 bytes as the server's records carry it).
struct ServerInfo {
    char host[50];
    char name[50];
    int32_t port;
};
static_assert(sizeof(ServerInfo) == 104);

constexpr int MAX_SERVERS = 5;
