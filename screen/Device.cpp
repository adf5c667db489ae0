#include "screen/Device.h"

FrameSink *hMainWnd = nullptr;
FrameSink *lpDD = nullptr;
FrameSink *lpDDSPrimary = nullptr;
SurfaceSlot lpDDSBack;
SurfaceSlot lpDDSSame;
uint8_t fullscreen = 0;
uint8_t pixelformat = FormatUnknown;
ColorKey colorkey;
ResourceModule hResModule;
uint8_t networkmode = 0;
