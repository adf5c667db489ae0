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

std::string Cut(const std::string &text)
{
    return text.substr(0, GbkFit(text, ProxySettings::kTextBytes));
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

void ProxySettings::Write(const char *ini) const
{
    Profile::WriteString(ini, kSection, "UseProxy", useproxy ? "1" : "0");
    Profile::WriteString(ini, kSection, "UsePassWord", usepassword ? "1" : "0");
    Profile::WriteString(ini, kSection, "Address", address);
    Profile::WriteString(ini, kSection, "Type", std::to_string(type));
    Profile::WriteString(ini, kSection, "Port", std::to_string(port));
    Profile::WriteString(ini, kSection, "UserName", username);
    Profile::WriteString(ini, kSection, "PassWord", password);
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
