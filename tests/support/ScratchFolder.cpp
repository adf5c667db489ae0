#include "tests/support/ScratchFolder.h"

#include "platform/Paths.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

ScratchFolder::ScratchFolder()
{
    static std::atomic<int> serial{0};
    path_ = std::filesystem::temp_directory_path() /
            ("lantile-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    previous_ = Paths::ProgramFolder();
    Paths::SetProgramFolder(path_.string());
}

ScratchFolder::~ScratchFolder()
{
    Paths::SetProgramFolder(previous_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void ScratchFolder::Write(const std::string &name, const std::string &bytes) const
{
    std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string ScratchFolder::Read(const std::string &name) const
{
    std::ifstream in(path_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
