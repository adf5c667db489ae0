#pragma once
#include <string>

class CMj;

// Everything of the table a server record could change, as text: the seats, the wall, the turn, the
// dice and the chat window's pages.
std::string TableSnapshot(const CMj &m);
