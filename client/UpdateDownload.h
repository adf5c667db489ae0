#pragma once
#include "platform/HttpGet.h"
#include "table/BoxPoster.h"

#include <memory>
#include <string>

class QWidget;
class TDownForm;

// The update offer: asks the user, downloads the new installer into "Setup\mj.exe" with a progress
// window, and says where it is. The installer is never started: it comes with nothing to vouch for
// it, and it is a Windows program. The download is written to "mj.exe.part" and renamed only once
// whole, so an aborted or failed download never leaves a truncated "mj.exe". A cancel ends it
// silently; a download that cannot begin, or one that fails, shows one box and opens the web site
// once. An installer over kMaxInstaller bytes is such a failure, refused by its declared length
// before any of it is read, or once it passes that size. What it tells the user once the download
// has ended waits with the window's other boxes.
class UpdateDownload {
public:
    static constexpr int64_t kMaxInstaller = 256 << 20;

    UpdateDownload(QWidget *parent, BoxPoster &boxes);
    ~UpdateDownload();
    UpdateDownload(const UpdateDownload &) = delete;
    UpdateDownload &operator=(const UpdateDownload &) = delete;

    // The offer with its question and the installer's address; one download at a time, so an offer
    // during one is ignored.
    void WMUpdateOffer(const std::string &msgtext, const std::string &url);
    TDownForm &DownForm() { return *form; }

private:
    void HTTPDownConnect();
    void HTTPDownPacketRecvd(int64_t received, int64_t total);
    void HTTPDownFinished(HttpGet::Result result, const std::string &why);
    // The box of a download that failed, which sends the player to the web site.
    void Failed(const char *text, const char *title);

    BoxPoster &boxes;
    std::unique_ptr<TDownForm> form;
    HttpGet HTTPDown;
};
