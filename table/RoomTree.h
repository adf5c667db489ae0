#pragma once
#include "table/LobbyRecords.h"

#include <string>
#include <string_view>
#include <vector>

// Pictures of the room tree's nodes, numbered as the tree's image set.
enum RoomImage : int { IMAGE_SERVER = 0, IMAGE_ROOM = 1, IMAGE_ENTERED = 2 };

struct RoomNode {
    RoomInfo info{};
    std::string caption;
    int image = IMAGE_ROOM;
    std::vector<RoomNode> children;
    bool expanded = false;
};

// A row of the room list dialog: a room's name and its count of users as text.
struct RoomRow {
    std::string name;
    std::string users;
};

// What a view of the tree is told: the tree or the room rows changed; it reads them again.
class RoomTreeView {
public:
    virtual ~RoomTreeView() = default;
    virtual void TreeChanged() = 0;
};

// The server's rooms as the room tree shows them: the server's node on top, a node per room below
// it in the server's order, and the same rooms as rows of the room list dialog. A room is known by
// its place among its siblings, as the tree's double click and the room counts name it. Records that
// name a node that does not exist change nothing (false).
class RoomTree {
public:
    const std::vector<RoomNode> &Tops() const { return tops_; }
    // The server's node, under which rooms go; null before the server's record.
    const RoomNode *Top() const { return tops_.empty() ? nullptr : &tops_.front(); }
    const std::vector<RoomRow> &Rows() const { return rows_; }

    void AddServer(std::string_view name);
    bool AddRoom(int room, std::string_view name);
    bool SetServerUsers(int32_t users);
    bool SetRoomUsers(int position, int32_t users);
    // The room entered shows as such, the others as rooms.
    void MarkEntered(int position);
    bool Expand();
    void Clear();

    void SetView(RoomTreeView *view) { view_ = view; }

private:
    RoomNode *TopNode() { return tops_.empty() ? nullptr : &tops_.front(); }
    void Changed();

    std::vector<RoomNode> tops_;
    std::vector<RoomRow> rows_;
    RoomTreeView *view_ = nullptr;
};

// A node's caption with its users: name + "(" + n + "人)".
std::string UsersCaption(const RoomInfo &info);
