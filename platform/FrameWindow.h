#pragma once
#include "platform/FrameSink.h"

#include <memory>

// The toolkit window that shows the game's frames. Full screen fills the screen with the frame
// scaled up (kept in proportion, black bars beside it) instead of changing the display mode.
class FrameWindow : public FrameSink {
public:
    FrameWindow();
    ~FrameWindow() override;

    PixelFormat ScreenFormat() const override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    DrawResult Present(const Surface &frame) override;
    DrawResult Restore() override;
    void ShowFullScreen() override;
    void ShowWindowed(bool caption) override;
    bool IsFullScreen() const override;

    // What the window shows now, read back from its painting, in RGB565 at the window's size.
    std::unique_ptr<Surface> Shown() const;
    int Width() const;
    int Height() const;
    bool HasCaption() const;
    bool IsMinimized() const;
    // Asks the desktop to flash the window's taskbar entry until the window is activated.
    void Alert();

private:
    class View;
    std::unique_ptr<View> view_;
};
