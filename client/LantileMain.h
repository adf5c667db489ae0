#pragma once
#include <string>
#include <vector>

// The program from its command line (the arguments after its name) to the end of its event loop;
// the application object exists already. Answers the exit code. lockPath is the one-instance lock.
int LantileMain(const std::vector<std::string> &args, const std::string &lockPath);
