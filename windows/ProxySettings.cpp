#include "windows/ProxySettings.h"

#include "platform/Gbk.h"
#include "platform/Profile.h"

#include <charconv>

namespace {

const char *const kSection = "Proxy";

std::string ReadText(const char *ini, const char *key)
{
    char buf[ProxySettings::kTextBytes + 1];
    Profile::ReadString(ini, kSection, key, "", buf, sizeof buf);
    return buf;
}

// A field's first line, as the settings file can keep it, cut to the field's bytes.
std::string Cut(const std::string &text)
{
    const std::string_view line = Profile::FirstLine(text);
    return std::string(line.substr(0, GbkFit(line, ProxySettings::kTextBytes)));
}

} // namespace

ProxyRoute ProxySettings::Route() const
{
    ProxyRoute route;
    if (!useproxy)
        return route;
    route.kind = type == 0 ? ProxyRoute::SOCKS5 : ProxyRoute::HTTP;
    route.host = address;
    route.port = port;
    if (usepassword) {
        route.user = username;
        route.password = password;
    }
    return route;
}

ProxySettings ProxySettings::Read(const char *ini)
{
    ProxySettings s;
    s.useproxy = Profile::ReadInt(ini, kSection, "UseProxy", 0) == 1;
    s.port = Profile::ReadInt(ini, kSection, "Port", 1080);
    s.type = Profile::ReadInt(ini, kSection, "Type", 0);
    s.usepassword = Profile::ReadInt(ini, kSection, "UsePassWord", 0) == 1;
    s.address = ReadText(ini, "Address");
    s.username = ReadText(ini, "UserName");
    s.password = ReadText(ini, "PassWord");
    return s;
}

void ProxySettings::Write(Profile::Edit &edit) const
{
    edit.Set(kSection, "UseProxy", useproxy ? "1" : "0");
    edit.Set(kSection, "UsePassWord", usepassword ? "1" : "0");
    edit.Set(kSection, "Address", address);
    edit.Set(kSection, "Type", std::to_string(type));
    edit.Set(kSection, "Port", std::to_string(port));
    edit.Set(kSection, "UserName", username);
    edit.Set(kSection, "PassWord", password);
}

ProxyDialog ProxyDialog::For(const ProxySettings &settings)
{
    ProxyDialog d;
    d.useproxy = settings.useproxy;
    d.proxyname = settings.address;
    d.port = std::to_string(settings.port);
    d.socks = settings.type == 0;
    d.needauth = settings.usepassword;
    if (settings.useproxy && settings.usepassword) {
        d.user = settings.username;
        d.password = settings.password;
    }
    return d;
}

void ProxyDialog::TakeInto(ProxySettings &settings) const
{
    settings.useproxy = useproxy;
    if (!useproxy)
        return;
    int number = 0;
    const char *end = port.data() + port.size();
    auto [stop, error] = std::from_chars(port.data(), end, number);
    if (error == std::errc() && stop == end && number >= 1 && number <= 65535)
        settings.port = number;
    settings.address = Cut(proxyname);
    settings.usepassword = needauth;
    if (needauth) {
        settings.username = Cut(user);
        settings.password = Cut(password);
    }
    settings.type = socks ? 0 : 1;
}
