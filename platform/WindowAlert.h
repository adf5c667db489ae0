#pragma once
#include <functional>

class FrameSink;

// Whether the user has the program in front: it is the active application and the window is not
// minimised.
bool WindowInFront(const FrameSink *window);
// Asks the desktop to flash the window's taskbar entry until the program is brought forward.
// Without a window manager the desktop does nothing.
void AlertWindow(FrameSink *window);

// Tests say whether the window is in front and record the alerts; empty handlers restore the
// desktop's answers.
void SetWindowAlertHandlers(std::function<bool(const FrameSink *)> inFront, std::function<void(FrameSink *)> alert);

class QWidget;
// The same for a window of its own (a private chat), by the toolkit; tests record it instead.
void AlertToplevel(QWidget *window);
void SetToplevelAlertHandler(std::function<void(QWidget *)> alert);
