#pragma once
#include "table/LobbyRecords.h"
#include "table/RowSequence.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Pictures of the user list's rows, numbered as the list's image set.
enum UserImage : int {
    IMAGE_NONE = -1,
    IMAGE_FACE0 = 4,    // + face - 1: the user's picture
    IMAGE_MARKED = 16,  // a user with rights
    IMAGE_LOBBY = 17,   // at no table
    IMAGE_SEATED = 18,  // at a table, not ready
    IMAGE_READY = 19,   // ready at a table that waits
    IMAGE_PLAYING = 20, // ready at a table that plays
};

// The text columns of a row: two picture columns without text, then these.
enum UserColumn : int {
    COL_NAME = 2, COL_SCORE, COL_LEVEL, COL_GAMES, COL_RATE, COL_ESCAPES,
    USER_COLUMNS
};

// One row of the room's user list: the user's record, its pictures and its texts.
struct UserRow {
    UserInfo info{};
    std::string name;            // the record's name, 20 bytes at most
    int image = IMAGE_NONE;      // IMAGE_MARKED for a user with rights
    int statusimage = IMAGE_LOBBY;
    int faceimage = IMAGE_FACE0;
    std::string columns[USER_COLUMNS];
};

// What a view of the list is told; rows are given by their index at the time of the change. A row
// that goes is told just before it goes, while Row() still reads it.
class UserListView {
public:
    virtual ~UserListView() = default;
    virtual void RowInserted(int row) = 0;
    virtual void RowRemoved(int row) = 0;
    virtual void RowChanged(int row) = 0;
    virtual void ListCleared() = 0;
};

// The users of the entered room, in the server's order with the own user first. The server's
// records fill it (add, remove, update, and the status pictures the tables give); the lobby reads
// faces from it and the main window shows it. Names are compared within their 20 bytes. A server may
// list a name twice; each change then finds the first row of the name as quickly as a single one.
class UserList {
public:
    int Count() const { return order_.Count(); }
    const UserRow &Row(int i) const { return *order_.At(i); }
    // The first row with the name, or null.
    const UserRow *FindUserItem(std::string_view name) const;
    int IndexOf(std::string_view name) const;

    // A new row: the own user's goes first, every other last. Its index.
    int Add(const UserInfo &info, bool first);
    // Takes away the first row with the name; false when there is none.
    bool Remove(std::string_view name);
    // The first row with the name takes the record's counts and place at a table, and its texts are
    // written again; name, sex, rights, id and face stay. Null when the name is not listed.
    const UserRow *Update(const UserInfo &info);
    // The first row with the name shows the status picture; false when there is none.
    bool SetStatus(std::string_view name, int image);
    void Clear();

    // One view at a time, or none; it must outlive the list or be taken away first.
    void SetView(UserListView *view) { view_ = view; }

private:
    // The rows of one name in the list's order. Only the first of them ever goes, so those gone are
    // counted off the front and dropped together.
    struct Named {
        std::vector<std::unique_ptr<UserRow>> rows;
        size_t gone = 0;
    };
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    UserRow *Find(std::string_view name) const;
    void WriteCounts(UserRow &row);
    void Changed(const UserRow *row);

    // The rows, owned by their names.
    std::unordered_map<std::string, Named, NameHash, std::equal_to<>> byname_;
    RowSequence order_;
    UserListView *view_ = nullptr;
};
