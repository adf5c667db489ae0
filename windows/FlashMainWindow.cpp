#include "windows/FlashMainWindow.h"

#include "platform/WindowAlert.h"

void FlashMainWindow(FrameSink *window)
{
    if (window && !WindowInFront(window))
        AlertWindow(window);
}
