#pragma once
#include "platform/FrameSink.h"

#include <QPoint>
#include <functional>
#include <memory>
#include <string>

class QWidget;
class WindowEvents;

// The toolkit window that shows the game's frames and takes the mouse, the keys, the input method
// and dropped files for its owner. Full screen fills the screen with the frame scaled up (kept in
// proportion, black bars beside it) instead of changing the display mode; the pointer is mapped
// back to the frame.
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

    // Who gets the window's input; null drops it.
    void SetEvents(WindowEvents *events);
    // Title text in UTF-8.
    void SetTitle(const std::string &title);
    void Hide();
    // The pointer over the window from a cursor file; false (the arrow stays) when it cannot be read.
    bool SetCursorFile(const std::string &path);
    // The hand over a link, or the program's own pointer again.
    void SetHandCursor(bool hand);
    bool HandCursor() const;
    // Runs the call later on the GUI thread, from the event loop, unless the window is gone by then.
    void Post(std::function<void()> call);
    // The widget native controls stand in.
    QWidget *Widget();
    // A native control, a child of Widget(), over a rectangle of the frame: placed there now and
    // again whenever the frame is scaled (full screen or back). It never takes the keyboard, which
    // stays the game's.
    void PlaceOverFrame(QWidget *control, const Rect &frameRect);
    // A point of the frame on the screen, where a menu opened at it stands.
    QPoint FrameToGlobal(int x, int y) const;

    // What the window shows now, read back from its painting, in RGB565 at the window's size.
    std::unique_ptr<Surface> Shown() const;
    int Width() const;
    int Height() const;
    bool HasCaption() const;
    bool IsMinimized() const;
    bool IsVisible() const;
    // Asks the desktop to flash the window's taskbar entry until the window is activated.
    void Alert();

private:
    class View;
    std::unique_ptr<View> view_;
};
