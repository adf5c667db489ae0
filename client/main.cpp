#include <cstdio>

int main()
{
    std::puts("Lantile: the game window is not built yet.");
    return 0;
}
