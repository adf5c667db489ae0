#pragma once
#include <array>
#include <cstdint>
#include <mutex>
#include <string>

// One picture to fetch: whose it is, the digest it must have, where it comes from (the address
// without its scheme) and the file it goes to.
struct LoadAvatar {
    int32_t id = 0;
    std::string name;    // 20 bytes at most
    std::string md5;     // 32 upper-case hexadecimal digits, as announced
    std::string address;
    std::string path;
};

// The pictures waiting for the download thread. The game object appends on its own thread and the
// thread takes them; the newest request is served first. The table is fixed: a request that finds it
// full is refused, not kept.
class AvatarQueue {
public:
    static constexpr int kRows = 100;
    static constexpr int kUsable = 99;

    // False when the queue is full.
    bool Append(const LoadAvatar &row);
    // The newest row, taken out; false when none waits.
    bool TakeNewest(LoadAvatar &row);
    int Count() const;

private:
    mutable std::mutex avatarqueuelock;
    std::array<LoadAvatar, kRows> avatarqueue;
    int avatarqueuenum = 0;
};
