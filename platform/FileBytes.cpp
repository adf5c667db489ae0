#include "platform/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fail(std::string &error, const std::string &step)
{
    error = step + ": " + std::strerror(errno);
    return false;
}

// Closes the descriptor when the scope ends, unless it was handed over.
struct Fd {
    int fd;
    ~Fd()
    {
        if (fd >= 0)
            close(fd);
    }
    int Release()
    {
        int f = fd;
        fd = -1;
        return f;
    }
};

std::string FolderOf(const std::string &path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const uint8_t *data, size_t size)
{
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// created tells whether a file was made at tmp, which is then the caller's to remove on failure.
bool WriteTemporary(const std::string &tmp, const uint8_t *data, size_t size, mode_t mode, bool &created,
                    std::string &error)
{
    Fd file{FileBytes::CreateAfresh(tmp, mode)};
    created = file.fd >= 0;
    if (!created)
        return Fail(error, "create " + tmp);
    if (!WriteAll(file.fd, data, size))
        return Fail(error, "write " + tmp);
    if (fsync(file.fd) != 0)
        return Fail(error, "sync " + tmp);
    if (close(file.Release()) != 0)
        return Fail(error, "close " + tmp);
    return true;
}

} // namespace

namespace FileBytes {

ReadStatus Read(const std::string &path, size_t limit, std::vector<uint8_t> &out)
{
    out.clear();
    // Non-blocking, so that a pipe at the path cannot hold the program up before it is refused.
    Fd file{open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
    struct stat st;
    if (fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return ReadStatus::Unreadable;
    // Room for the file as it is now; more only if it grows meanwhile.
    out.resize(std::min(limit, static_cast<size_t>(st.st_size) + 1));
    size_t got = 0;
    while (got < limit) {
        if (got == out.size())
            out.resize(std::min(limit, 2 * out.size()));
        ssize_t n = read(file.fd, out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.clear();
            return ReadStatus::Unreadable;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    out.resize(got);
    return ReadStatus::Ok;
}

bool WriteAtomically(const std::string &path, const uint8_t *data, size_t size, std::string &error, mode_t mode)
{
    const std::string tmp = path + ".tmp";
    bool created = false;
    if (!WriteTemporary(tmp, data, size, mode, created, error)) {
        // Only a file of ours is removed: whatever else stands at that name is left alone.
        if (created)
            unlink(tmp.c_str());
        return false;
    }
    if (rename(tmp.c_str(), path.c_str()) != 0) {
        Fail(error, "rename " + tmp);
        unlink(tmp.c_str());
        return false;
    }
    // The rename itself lasts only once the folder is on the disk.
    const std::string folder = FolderOf(path);
    Fd dir{open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd < 0)
        return Fail(error, "open " + folder);
    if (fsync(dir.fd) != 0)
        return Fail(error, "sync " + folder);
    return true;
}

int CreateAfresh(const std::string &path, mode_t mode)
{
    unlink(path.c_str());
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

void RemoveLeftovers(const std::string &folder, std::string_view extension)
{
    const std::string ending = std::string(extension) + ".tmp";
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code kind;
        if (name.size() > ending.size() && name.ends_with(ending) && !it->is_directory(kind))
            unlink(it->path().c_str());
    }
}

} // namespace FileBytes
