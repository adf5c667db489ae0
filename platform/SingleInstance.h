#pragma once
#include <string>

// One running program per program folder: a kernel lock (flock) on a file in the folder, held for
// the process's life and let go by the kernel however the process ends. A lock no running process
// holds is free, whatever the file holds: its text only says who took it last.
class SingleInstance {
public:
    enum class Result {
        Taken,    // this process holds the lock, or no lock can be made there at all (a folder that
                  // cannot be written holds nothing a second copy could spoil)
        Running,  // another running process holds it
        NotAFile, // something other than a regular file stands at the path: a folder, a pipe, a link
    };

    explicit SingleInstance(std::string path);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // Never waits: neither for another holder nor for whatever stands at the path.
    Result Acquire();
    const std::string &Path() const { return path_; }

    // The lock of the program folder: inside the folder itself, found by its real path, so that the
    // folder decides and not the environment or the working folder the program starts with. Only
    // those who may write the folder can make it.
    static std::string PathFor(const std::string &programFolder);

private:
    std::string path_;
    int fd_ = -1;
};
