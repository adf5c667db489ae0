#pragma once
#include "table/GameMsg.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// A busy lobby as the game server writes it, for the tests and the benchmark that flood the program:
// a room of users and its tables, room chat, and a mix of users arriving, changing and leaving,
// tables changing and chat. Users are named "user0", "user1"...
namespace LobbyFlood {

// One user's record (add, remove or update) with counts drawn from rng.
GameMsg User(uint8_t op, const std::string &name, int id, std::mt19937 &rng);
// A table with some of the first `users` users at it, some ready, some playing.
GameMsg Table(int table, int users, std::mt19937 &rng);
// The name of user number n.
std::string Name(int user);
// The users' arrival, the tables and the room's answer, the own account first.
std::vector<GameMsg> Room(const std::string &own, int users, std::mt19937 &rng);
std::vector<GameMsg> Chat(int lines);
// Of every ten records: two users arrive, two leave, three change, two tables change and one chat
// line; the room stays as full as it was.
std::vector<GameMsg> Mix(int records, int users, std::mt19937 &rng);
// A server that lists names twice: the first 400 users (or all, when fewer), seated at tables, are
// added again, removed and added again, so that each of their names stands on two rows; the rest of
// the records are, one each in turn, a table seating some of them and an update of one of them.
std::vector<GameMsg> Repeats(int records, int users, std::mt19937 &rng);
// A private chat line from the sender: it opens a window of its own once handled.
GameMsg PrivateLine(const std::string &sender);

// The longest time without a keep-alive while a flood ran from start to end (milliseconds on one
// clock): from the last one before it to the first in it, between those in it, and from the last to
// its end. times: when the keep-alives came, in order, the start of online play among them.
int64_t LongestQuiet(int64_t start, int64_t end, const std::vector<int64_t> &times);

// The server's side of a login of the account up to the room: the lobby, its one room "Room" in
// "Flood", entered, with nobody in it.
std::string EnterRoom(const std::string &account, const std::string &password);

// The server's side of a session: the login of the account, its rooms, then the floods in order,
// each after the program's room chat record (the first at once, when the room is entered), written
// a thousand records to a write; the program's keep-alives may come at any point.
std::string Script(const std::string &account, const std::string &password,
                   const std::vector<std::vector<GameMsg>> &floods);

} // namespace LobbyFlood
