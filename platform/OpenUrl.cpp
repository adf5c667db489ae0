#include "platform/OpenUrl.h"

#include "platform/Gbk.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

std::function<void(const std::string &)> g_handler;

QUrl Parsed(std::string_view url)
{
    return QUrl(QString::fromStdString(GbkToUtf8(url)), QUrl::StrictMode);
}

} // namespace

bool IsWebAddress(std::string_view url)
{
    const QUrl parsed = Parsed(url);
    // The scheme comes back in lower case whatever case it was written in.
    const QString scheme = parsed.scheme();
    return parsed.isValid() && (scheme == "http" || scheme == "https") && !parsed.host().isEmpty();
}

bool OpenUrl(std::string_view url)
{
    if (!IsWebAddress(url))
        return false;
    const QUrl parsed = Parsed(url);
    if (g_handler) {
        g_handler(std::string(url));
        return true;
    }
    return QDesktopServices::openUrl(parsed);
}

void SetOpenUrlHandler(std::function<void(const std::string &)> handler)
{
    g_handler = std::move(handler);
}

bool OpenFolder(const std::string &path)
{
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
    if (g_handler) {
        g_handler(url.toString().toStdString());
        return true;
    }
    return QDesktopServices::openUrl(url);
}
