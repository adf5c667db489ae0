#include "client/UpdateCheck.h"

#include "platform/FileBytes.h"
#include "platform/Gbk.h"
#include "platform/OpenUrl.h"
#include "platform/Profile.h"
#include "rules/CLog.h"

#include <QDir>
#include <vector>

namespace {

// The parts of a dotted version, or none for anything else.
std::optional<std::vector<uint32_t>> VersionParts(std::string_view version)
{
    constexpr size_t kMaxParts = 4, kMaxDigits = 9;
    std::vector<uint32_t> parts;
    size_t digits = 0;
    uint32_t part = 0;
    for (size_t i = 0; i <= version.size(); ++i) {
        if (i == version.size() || version[i] == '.') {
            if (digits == 0 || parts.size() == kMaxParts)
                return std::nullopt;
            parts.push_back(part);
            digits = 0;
            part = 0;
        } else if (version[i] >= '0' && version[i] <= '9' && digits < kMaxDigits) {
            part = part * 10 + static_cast<uint32_t>(version[i] - '0');
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    return parts;
}

} // namespace

bool VersionAbove(std::string_view version, std::string_view than)
{
    const auto a = VersionParts(version), b = VersionParts(than);
    if (!a || !b)
        return false;
    for (size_t i = 0; i < std::max(a->size(), b->size()); ++i) {
        const uint32_t x = i < a->size() ? (*a)[i] : 0, y = i < b->size() ? (*b)[i] : 0;
        if (x != y)
            return x > y;
    }
    return false;
}

std::optional<UpdateInfo> UpdateInfo::Parse(std::string_view bytes, std::string *why)
{
    auto refuse = [why](const char *reason) -> std::optional<UpdateInfo> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (bytes.size() > kMaxFile)
        return refuse("longer than an update file");
    std::string_view lines[3];
    for (std::string_view &line : lines) {
        if (bytes.empty())
            return refuse("fewer than three lines");
        const size_t end = bytes.find('\n');
        line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
    }
    UpdateInfo info;
    info.version = Trim(lines[0]);
    info.installer = Trim(lines[1]);
    info.text = lines[2];
    info.text.resize(GbkFit(info.text, kMaxText));
    if (!VersionParts(info.version))
        return refuse("line 1 is no version");
    if (!IsWebAddress(info.installer))
        return refuse("line 2 is no web address");
    if (info.text.empty())
        return refuse("line 3 offers nothing");
    return info;
}

UpdateCheck::UpdateCheck(std::string own, Offer offer) : own_(std::move(own)), offer_(std::move(offer))
{
    // A file that cannot be an update file is not fetched to its end.
    http_.SetMaxBytes(static_cast<int64_t>(UpdateInfo::kMaxFile));
    http_.onFinished = [this](HttpGet::Result result, const std::string &why) { Finished(result, why); };
}

UpdateCheck::~UpdateCheck() = default;

void UpdateCheck::Start()
{
    if (offered_ || http_.Busy())
        return;
    char address[256] = {};
    Profile::ReadString("Network.cfg", "loginserver", "update", "", address, sizeof address);
    if (!IsWebAddress(address)) {
        g_log.Trace("No update address: '%s'.", address);
        return;
    }
    // Created here, so no file that stood at the name before is written through.
    file_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/lantile-update-XXXXXX.txt");
    std::string why;
    const bool made = file_->open();
    file_->close();
    if (!made || !http_.Start(address, file_->fileName().toStdString(), &why)) {
        g_log.Error("The update file cannot be fetched: %s", why.c_str());
        file_.reset();
    }
}

void UpdateCheck::Finished(HttpGet::Result result, const std::string &why)
{
    std::vector<uint8_t> bytes;
    if (result == HttpGet::Result::Ok)
        FileBytes::Read(file_->fileName().toStdString(), UpdateInfo::kMaxFile + 1, bytes);
    file_.reset();
    if (result != HttpGet::Result::Ok) {
        g_log.Trace("The update file was not fetched: %s", why.c_str());
        return;
    }
    std::string reason;
    const std::optional<UpdateInfo> info =
        UpdateInfo::Parse(std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()), &reason);
    if (!info) {
        g_log.Trace("The update file is refused: %s.", reason.c_str());
        return;
    }
    if (!VersionAbove(info->version, own_)) {
        g_log.Trace("No newer version than %s.", own_.c_str());
        return;
    }
    offered_ = true;
    offer_(info->text, info->installer);
}
