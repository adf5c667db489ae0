#include "platform/SingleInstance.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

SingleInstance::SingleInstance(std::string path) : path_(std::move(path)) {}

SingleInstance::~SingleInstance()
{
    if (fd_ >= 0)
        close(fd_);
}

SingleInstance::Result SingleInstance::Acquire()
{
    if (fd_ >= 0)
        return Result::Taken;
    // Not through a link and not waiting for a pipe's other end: nothing planted at the path can hold
    // the start up. Closed on exec, so that no program started from here keeps the lock.
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    bool writable = true;
    int fd = open(path_.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        // A lock file this user may not write still takes a lock.
        writable = false;
        fd = open(path_.c_str(), O_RDONLY | kFlags);
    }
    if (fd < 0)
        return errno == ELOOP || errno == EISDIR || errno == ENXIO ? Result::NotAFile : Result::Taken;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return Result::NotAFile;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(fd);
        return held ? Result::Running : Result::Taken;
    }
    fd_ = fd;
    if (writable) {
        // For whoever looks: which process holds it, on which host.
        char host[HOST_NAME_MAX + 1] = {};
        gethostname(host, sizeof host - 1);
        const std::string text = std::to_string(getpid()) + "\n" + host + "\n";
        // The lock holds as well when the text cannot be written.
        [[maybe_unused]] const bool told =
            ftruncate(fd_, 0) == 0 && pwrite(fd_, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
    }
    return Result::Taken;
}

std::string SingleInstance::PathFor(const std::string &programFolder)
{
    char real[PATH_MAX];
    const std::string folder = realpath(programFolder.c_str(), real) ? std::string(real) : programFolder;
    return folder + "/lantile.lock";
}
