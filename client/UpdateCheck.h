#pragma once
#include "platform/HttpGet.h"

#include <QTemporaryFile>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// What the update file says: line 1 the newest version, line 2 the installer's web address, line 3
// the question that offers it (GBK, at most 127 bytes).
struct UpdateInfo {
    std::string version;
    std::string installer;
    std::string text;

    static constexpr size_t kMaxText = 127;
    static constexpr size_t kMaxFile = 4096;
    // The file's bytes, or none when they are no such file (why tells).
    static std::optional<UpdateInfo> Parse(std::string_view bytes, std::string *why = nullptr);
};

// Dotted numbers compared part by part, a missing part counting 0 ("1.10" is above "1.9" and "1.2"
// equals "1.2.0"); false when either is no version.
bool VersionAbove(std::string_view version, std::string_view than);

// After a login, the update file that "Network.cfg" [loginserver] update names is fetched in the
// background; a version above the program's own is offered once per run. No address, a failed fetch
// or a file that is not an update file offer nothing.
class UpdateCheck {
public:
    using Offer = std::function<void(const std::string &text, const std::string &installer)>;
    // own: the program's version; offer: called with the question and the installer's address.
    UpdateCheck(std::string own, Offer offer);
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck &) = delete;
    UpdateCheck &operator=(const UpdateCheck &) = delete;

    // Starts a fetch unless one runs or an offer was made already.
    void Start();

private:
    void Finished(HttpGet::Result result, const std::string &why);

    std::string own_;
    Offer offer_;
    // The fetched file: a new file of its own among the temporary files, gone once read.
    std::unique_ptr<QTemporaryFile> file_;
    bool offered_ = false;
    HttpGet http_;
};
