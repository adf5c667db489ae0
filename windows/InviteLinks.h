#pragma once
#include <optional>
#include <string>

// What the two invitation screens need from outside the game screen: the lobby's tables, the
// connection to the game server and the main window's list of users to invite. The main window
// provides it once it holds them; until then the game object has none, so an invitation can be
// neither accepted (the table counts as full) nor sent. Names are GBK.
class InviteLinks {
public:
    virtual ~InviteLinks() = default;

    // The lobby sits the player down at a table (seat -1: any free one); below 1 when the table is
    // playing, full or no table at all (tables are 0-99).
    virtual int SitDown(int table, int seat) = 0;
    // The lobby's selected table, the player's own, neither plays nor has all four seats taken.
    virtual bool SelectedTableOpen() const = 0;
    // Sends the invitation of a user to the player's table.
    virtual void SendInvite(const std::string &user) = 0;

    // The main window's list of users who may be invited, which stands while this screen is up:
    // placed with its corner at a frame point, and the name on its selected row (none while no row
    // is selected).
    virtual void MoveInviteList(int x, int y) = 0;
    virtual std::optional<std::string> SelectedInvitee() const = 0;
};
