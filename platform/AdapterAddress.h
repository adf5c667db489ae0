#pragma once
#include <string>

// The hardware address of the machine's first network adapter (not the loopback) as 12 upper-case
// hexadecimal digits, or an empty text when there is none.
std::string FirstAdapterAddress();
