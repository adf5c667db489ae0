#include "client/UpdateDownload.h"

#include "client/Down.h"
#include "client/FormText.h"
#include "platform/MessageBox.h"
#include "platform/OpenUrl.h"
#include "platform/Paths.h"
#include "rules/CLog.h"
#include "table/Addresses.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <filesystem>

UpdateDownload::UpdateDownload(QWidget *parent, BoxPoster &boxes)
    : boxes(boxes), form(std::make_unique<TDownForm>(parent))
{
    form->onCancel = [this] { HTTPDown.Abort(); };
    HTTPDown.SetMaxBytes(kMaxInstaller);
    HTTPDown.onConnect = [this] { HTTPDownConnect(); };
    HTTPDown.onProgress = [this](int64_t received, int64_t total) { HTTPDownPacketRecvd(received, total); };
    HTTPDown.onFinished = [this](HttpGet::Result result, const std::string &why) { HTTPDownFinished(result, why); };
}

UpdateDownload::~UpdateDownload() = default;

void UpdateDownload::WMUpdateOffer(const std::string &msgtext, const std::string &url)
{
    if (HTTPDown.Busy())
        return;
    if (MessageBox::Show(msgtext, "Infomation", MessageBox::IconQuestion, MessageBox::YesNo) == MessageBox::ResultNo)
        return;
    std::error_code ec;
    std::filesystem::create_directories(Paths::Resolve("Setup"), ec);
    form->target = Paths::Resolve("Setup\\mj.exe");
    std::string why;
    if (ec || !HTTPDown.Start(url, form->target + ".part", &why)) {
        g_log.Error("The update cannot be downloaded: %s", ec ? ec.message().c_str() : why.c_str());
        Failed("he  automatic update failed, please download on the website.", "Information");
        return;
    }
    form->Label1->setText(QStringLiteral("connecting"));
    form->ProgressBar1->setValue(0);
    form->setWindowTitle(QStringLiteral("DownLoad"));
    form->finished = 0;
    if (QWidget *parent = form->parentWidget())
        form->move(parent->geometry().center() - form->rect().center());
    form->show();
}

void UpdateDownload::HTTPDownConnect()
{
    form->Label1->setText(QStringLiteral("开始下载"));
}

void UpdateDownload::HTTPDownPacketRecvd(int64_t received, int64_t total)
{
    std::string text = "已经下载" + std::to_string(received) + "字节";
    if (total >= 0)
        text += "(共" + std::to_string(total) + "字节)";
    form->Label1->setText(ToUi(text));
    // A total under 100 bytes has no hundredth to count in.
    if (total >= 100)
        form->ProgressBar1->setValue(static_cast<int>(std::min<int64_t>(100, received / (total / 100))));
}

void UpdateDownload::HTTPDownFinished(HttpGet::Result result, const std::string &why)
{
    form->finished = 1;
    form->close();
    if (result == HttpGet::Result::Aborted)
        return; // the user cancelled
    std::error_code ec;
    if (result == HttpGet::Result::Ok)
        std::filesystem::rename(form->target + ".part", form->target, ec);
    if (result != HttpGet::Result::Ok || ec) {
        g_log.Error("The update's download failed: %s", ec ? ec.message().c_str() : why.c_str());
        std::filesystem::remove(form->target + ".part", ec);
        Failed("自动更新游戏失败，请至游戏官方网站下载", "提示信息");
        return;
    }
    const std::string folder = std::filesystem::path(form->target).parent_path().string();
    boxes.PostBox("The game has already downloaded completely into " + form->target + ".", "Information",
                  MessageBox::IconInformation, [folder] { OpenFolder(folder); });
}

void UpdateDownload::Failed(const char *text, const char *title)
{
    boxes.PostBox(text, title, MessageBox::IconInformation, [] { OpenUrl(kProductUrl); });
}
