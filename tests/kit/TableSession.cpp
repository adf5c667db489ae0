#include "tests/kit/TableSession.h"

#include "platform/Paths.h"
#include "platform/Random.h"
#include "screen/Device.h"
#include "table/CMj.h"
#include "tests/kit/TableDriver.h"

#include <unistd.h>

TableSession::TableSession(unsigned seed, FrameSink *screen)
{
    const std::filesystem::path data = std::filesystem::canonical("/proc/self/exe").parent_path();
    folder_ = std::filesystem::temp_directory_path() / ("lantile-table-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
    TableDriver::LinkGeneratedData(folder_, data);
    Paths::SetProgramFolder(folder_.string());
    hMainWnd = screen;
    TimerService::Install(&clock_);
    Random::Pin(seed);
    game_ = std::make_unique<CMj>();
    driver_ = std::make_unique<TableDriver>(*game_, clock_);
}

TableSession::~TableSession()
{
    driver_.reset();
    game_.reset();
    hMainWnd = nullptr;
    TimerService::Install(nullptr);
    Random::Unpin();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}
