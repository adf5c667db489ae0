#pragma once
#include <memory>
#include <string>

class QLockFile;

// One running program per user: a lock file held while the program runs. A lock left behind by a
// program that ended without letting go (a crash, a kill) is taken over.
class SingleInstance {
public:
    explicit SingleInstance(std::string path);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process now holds the lock; false while another running program holds it.
    bool Acquire();

    // The user's lock in the temporary folder.
    static std::string DefaultPath();

private:
    std::unique_ptr<QLockFile> lock_;
};
