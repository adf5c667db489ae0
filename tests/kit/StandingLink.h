#pragma once
#include "table/GameMsg.h"
#include "table/NetLink.h"

#include <string>
#include <vector>

// The connection as the game object sees it, standing unless the test lets it fall, logged in as
// account; it keeps what is sent.
struct StandingLink : NetLink {
    void SendPacket(const GameMsg &msg) override { sent.push_back(msg); }
    void OpenGameLink(const GameLinkTarget &) override {}
    void CloseGameLink() override {}
    bool GameLinkActive() const override { return standing; }
    bool GameLinkConnected() const override { return standing; }
    void OpenRegLink(const RegLinkTarget &) override {}
    void CloseRegLink() override {}
    std::string LoginAccount() const override { return account; }
    std::vector<GameMsg> sent;
    std::string account;
    bool standing = true;
};
