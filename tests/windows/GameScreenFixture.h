#pragma once
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/TestClock.h"
#include "table/CMj.h"
#include "tests/windows/WidgetFixture.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>
#include <vector>

// The game object with its screens, built from the generated pictures in a fresh program folder,
// on a clock that never moves by itself; screens are driven as the main window would drive them.
class GameScreenTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        TimerService::Install(&clock);
        curscreen = SCREEN_NONE;
        MessageBox::SetHandler([this](const MessageBox::Box &box) {
            boxes.push_back(box);
            return MessageBox::ResultOk;
        });
    }

    void TearDown() override
    {
        game.reset();
        curscreen = SCREEN_NONE;
        MessageBox::SetHandler(nullptr);
        TimerService::Install(nullptr);
        WidgetTest::TearDown();
    }

    CMj &Game()
    {
        // The game object's renderer starts without a device; the screens draw into the test's frame.
        Surface frame = *lpDDSBack;
        game = std::make_unique<CMj>();
        lpDDSBack = std::make_unique<Surface>(frame);
        return *game;
    }

    static std::filesystem::path ProgramFile(const std::string &name)
    {
        return std::filesystem::path(Paths::ProgramFolder()) / name;
    }
    static void WriteProgramFile(const std::string &name, const std::string &bytes)
    {
        std::ofstream(ProgramFile(name), std::ios::binary) << bytes;
    }

    // The middle of a screen's button, as the mouse reaches it.
    static std::pair<int, int> Middle(const CBitForm &form, int button)
    {
        const CBitButton &b = *form.buttons.Get(button);
        return {b.x + b.GetWidth() / 2, b.y + b.GetHeight() / 2};
    }

    // A press and a release at the middle of a screen's button.
    static void Click(CBitForm &form, int button)
    {
        auto [x, y] = Middle(form, button);
        form.MouseDown(x, y);
        form.MouseUp(x, y);
    }

    std::unique_ptr<CMj> game;
    TestClock clock;
    std::vector<MessageBox::Box> boxes; // every message box shown, answered OK
};
