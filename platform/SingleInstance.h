#pragma once
#include <memory>
#include <string>

class QLockFile;

// One running program per program folder: a lock file held while the program runs. A lock left
// behind by a program that ended without letting go (a crash, a kill) is taken over.
class SingleInstance {
public:
    explicit SingleInstance(std::string path);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // False while another running program holds the lock; true when this process holds it now, and
    // also when no lock can be made there at all (a folder that cannot be written holds nothing a
    // second copy could spoil).
    bool Acquire();

    // The lock of the program folder: inside the folder itself, found by its real path, so that the
    // folder decides and not the environment or the working folder the program starts with. Only
    // those who may write the folder can make it.
    static std::string PathFor(const std::string &programFolder);

private:
    std::unique_ptr<QLockFile> lock_;
};
