#pragma once
#include "platform/FrameSink.h"
#include "screen/Sprite.h"

#include <cstdint>
#include <functional>

class CMj;

// A tile sheet's cell: width = sheet width / 43, height = the sheet's height.
struct TileCell {
    int width = 0;
    int height = 0;
};

// The renderer of the game screen. This part holds the display device and the picture set.
class CMjDraw {
public:
    CMjDraw();
    ~CMjDraw();
    CMjDraw(const CMjDraw &) = delete;
    CMjDraw &operator=(const CMjDraw &) = delete;

    // paint is the game object's repaint, which a mode switch calls to show the table again.
    void SetGame(CMj *owner, std::function<void()> paint);

    bool InitFullScreen(FrameSink *window);
    bool InitWindowed();
    void ToggleFullScreen();

    // Shows `lpDDSBack`; Lost when the shown surface went away.
    DrawResult DrawFullScreen();
    DrawResult RestoreSurfaces();

    int width = 800;
    int height = 600;
    CMj *game = nullptr;
    uint8_t windowed = 1;
    uint8_t backinscreenformat = 0;
    TileCell owncell;
    TileCell wallcell[4];
    int zmpcellwidth = 0;

    // The picture set, by seat where a picture is per seat (0 bottom, 1 right, 2 top, 3 left).
    Sprite chouma;          // chip plate; its corner gives the colour key
    Sprite zjzl;            // the local player's standing tiles
    Sprite seatback[4];     // standing tile backs
    Sprite wallpic[4];      // wall stacks (cc2 / cc1)
    Sprite dice;
    Sprite room;            // the table background, drawn opaque
    Sprite wallsheet[4];    // tiles lying in front of each seat
    Sprite avatar[4];
    Sprite state, gbmj, dzmj, vidi;
    Sprite pung, kong, win, dianpao, chiact;
    Sprite turnpointer[4];  // "Center\1-2" .. "1-5"
    Sprite center;          // "Center\1-1"
    Sprite center6;         // "Center\1-6"
    Sprite zmp;             // small tiles
    Sprite avatarnone, offline, kaishi, shuzi, deskmj;
    Sprite newpan, newposition, newwind, newnum, newbanker;
    Sprite effect[12];
    Sprite pai, mj, szds;
    Sprite flower[10];
    Sprite cursor, quan, wind, windpe, windpn, windpw;

private:
    bool OpenFullScreen(FrameSink *window);
    bool OpenWindowed();
    void ShowLoadingPicture();
    void LoadPictureSet();
    void ReleasePictures();

    std::function<void()> paint_;
};
