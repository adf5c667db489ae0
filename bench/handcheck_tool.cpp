#include "rules/HandNotation.h"

#include <iostream>
#include <string>

// Scores winning hands, one per line of standard input, one result line each (see HandNotation.h).
int main()
{
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        std::cout << CheckHand(line) << '\n';
    }
    return 0;
}
