#pragma once
#include <QMenu>
#include <functional>
#include <string>

struct TableInfo;
struct UserRow;

// The lobby as the user menu reads it.
struct UserMenuContext {
    std::string myaccount;
    int myright = 0;                                 // 1 and 2 may send a user away, 1 may kick and mute
    std::function<const TableInfo *(int)> table;     // a table by its index 0-99, or null
    uint8_t gamestatus = 0;
    uint8_t curscreen = 0;
    int mytable = 0;                                 // the own table number, counted from 1
};

// What the user menu shows for one user.
struct UserMenuItems {
    std::string user;    // the menu's user, 20 bytes at most
    std::string title;   // "用户名: " + name
    std::string where;   // the user's table, or the lobby
    std::string score, level, games, wins, escapes;
    std::string talk;    // private chat, or addressing the user in the table's chat line
    bool atTable = false; // the addressing item alone, instead of the table and private chat items
    bool join = false;    // the user waits at a table with a free seat
    bool chat = true;
    bool manager = false; // the kick and mute submenu
    bool kick = false;    // the send-away item of the table

    // Opened from the user list.
    static UserMenuItems ForList(const UserRow &row, const UserMenuContext &context);
    // Opened from the drawn lobby or, atTable, from a player at the table.
    static UserMenuItems ForGame(const UserRow &row, const UserMenuContext &context, bool atTable);
};

// The table a user waits at with a free seat, by its index; -1 when there is none to join.
int JoinableTable(const UserRow &row, const UserMenuContext &context);

// The user menu. Its items carry the names of the designed menu; the actions go to the callbacks
// with the menu's user, which the owner looks up again when they run.
class TUserMenu : public QMenu {
public:
    explicit TUserMenu(QWidget *parent);

    void Apply(const UserMenuItems &items);
    const std::string &User() const { return user_; }

    std::function<void(const std::string &)> onJoin, onChat, onAddress, onKick, onMute;

    QAction *N13, *N14, *N22, *N1, *N9, *N2, *N3, *N8, *N4, *N5, *N6, *N7, *N10, *N11, *N12, *N26;
    QMenu *Manager;
    QAction *N24, *N25;

private:
    QAction *Item(const char *name, const QString &caption);
    std::string user_;
};

// The ready-made chat lines; each action keeps its line (GBK) in its data, as desktops may put
// accelerators into menu texts.
class TChatLinesMenu : public QMenu {
public:
    explicit TChatLinesMenu(QWidget *parent);
    std::function<void(const std::string &)> onLine;
};
