#pragma once
#include "platform/FrameSink.h"
#include "platform/Profile.h"
#include "rules/MjTile.h"
#include "screen/Sprite.h"

#include <cstdint>
#include <cstddef>
#include <functional>
#include <string>

class CBitButtonArray;
class CMj;
class CMjPlayer;

// A tile sheet's cell: width = sheet width / 43, height = the sheet's height.
struct TileCell {
    int width = 0;
    int height = 0;
};

// The renderer of the game screen: the display device and the picture set, the layout of the table,
// the frame composed from the game's state, the moving things of the animations, the discard grid
// kept for saved games, and where the mouse is over the local hand. Seats are screen seats: 0 the
// local player at the bottom, 1 right, 2 top, 3 left.
class CMjDraw {
public:
    static constexpr int kGridSize = 20;
    // What moves on the table now.
    enum AnimKind : uint8_t { AnimNone = 0, AnimChip = 1, AnimDice = 2, AnimTile = 3, AnimWallTile = 4 };

    CMjDraw();
    ~CMjDraw();
    CMjDraw(const CMjDraw &) = delete;
    CMjDraw &operator=(const CMjDraw &) = delete;
    // Every run leaves the window style plain, whether or not a device was ever set up: written
    // with the game object's settings.
    void WriteSettings(Profile::Edit &ini) const;

    // paint is the game object's repaint: a mode switch and Refresh call it.
    void SetGame(CMj *owner, std::function<void()> paint);
    // The table's buttons, which the layout places and every frame draws.
    void SetButtons(CBitButtonArray *array) { buttons = array; }
    void SetAnimKind(uint8_t kind) { animkind = kind; }
    // The fixed points of the table; the pictures must be loaded (their sizes place everything).
    void InitLayout();
    // The logo fading in on white, once, when the game screen is first shown. Blocks about 2 s.
    void Banner();

    bool InitFullScreen(FrameSink *window);
    bool InitWindowed();
    void ToggleFullScreen();

    // One frame of the game into `lpDDSBack`, not shown. Without a frame surface nothing is done.
    void DrawAll(CMj *mj, const uint8_t *wallstack);
    void Draw(CMj *mj, const uint8_t *wallstack) { DrawAll(mj, wallstack); }
    // DrawAll, the message screens over it, and the frame shown. A surface lost on the way is
    // restored and the frame composed and shown once more; a second loss drops the frame (the next
    // repaint tries again).
    void Render(CMj *mj, const uint8_t *wallstack);
    // Shows `lpDDSBack`; Lost when the shown surface went away.
    DrawResult DrawFullScreen();
    DrawResult RestoreSurfaces();

    // The tile drawers; a suit a sheet has no cell for draws nothing there. faceup false (or an empty
    // tile) shows the own sheet's cell 27; shortTile cuts the bottom 8 pixels of a lying tile.
    void DrawOwnTile(MjTile tile, int x, int y, bool faceup);
    void DrawOwnTileShaded(MjTile tile, int x, int y, bool faceup);
    void DrawSeatTile(int seat, MjTile tile, int x, int y, bool shortTile);
    void DrawSeatTileShaded(int seat, MjTile tile, int x, int y, bool shortTile);
    void DrawSmallTile(MjTile tile, int x, int y, bool shortTile);
    void DrawSmallTileShaded(MjTile tile, int x, int y);
    // The seat's avatar picture n (1-12); anything else, or the picture already shown, does nothing.
    void SetAvatar(int seat, int n);

    // Flights: each starts at its first point with no step taken.
    void StartSeatFlight(int from, int to);
    void StartDiscardFlight(int seat, const MjTile *tile, const CMjPlayer *players);
    void StartMeldFlight(int toseat, int fromseat, const MjTile *tile);
    void StartWallFlight(int stack, int seat);
    // One step of speed pixels along the line; true once the target is reached or passed.
    bool StepFlight(int speed);
    void StartDice(int thrower, int face1, int face2);
    // One roll step towards the table's centre; true after the 15th.
    bool StepDice();
    void ShowDice(uint8_t on) { diceshown = on; }
    void SetShowAll(uint8_t on) { showall = on; }
    // Asks the game object for a new frame.
    void Refresh();

    // The discard grid: each seat lays its discards from its own cursor (gridrow, gridcol).
    void InitGridCursor(CMjPlayer *player, int seat);
    void AddToGrid(CMjPlayer *player, int seat, const MjTile *tile);
    void SetGridCell(int row, int column, uint8_t value);
    void ClearGrid();
    // The grid as a saved game keeps it, kGridBytes: 400 occupancy bytes row by row, then the 400
    // tiles as value and suit bytes.
    static constexpr size_t kGridBytes = 3 * kGridSize * kGridSize;
    void SaveGrid(uint8_t *bytes) const;
    void LoadGrid(const uint8_t *bytes);

    // The local hand under the pointer: a click raises or lowers a tile (true when it hit one); a move
    // raises the tile under it (true when the raised tile changed and the frame must be redrawn).
    bool HitTestHand(int x, int y, CMjPlayer *player);
    bool HoverHand(int x, int y, CMjPlayer *player);
    // The middle of the local hand's tile index (cardnum: the drawn tile) as it stands now.
    Point HandTileCentre(const CMjPlayer &player, int index) const;

    // Where a seat's discard number n lies in its pyramid, and whether it is drawn short.
    Point DiscardPlace(int seat, int n) const;
    bool DiscardIsShort(int seat, int n) const;
    // Where wall stack 0-71 is drawn.
    Point WallStackPlace(int stack) const;

    int width = 800;
    int height = 600;
    CMj *game = nullptr;
    CBitButtonArray *buttons = nullptr;
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
    // Flower counters: 0 the blossom, 1 the times sign, 2 + n the digit n (0-8).
    static constexpr int kFlowerPictures = 11;
    Sprite flower[kFlowerPictures];
    Sprite cursor, quan, wind, windpe, windpn, windpw;

    // The layout (InitLayout); drawtarget is where a tile drawn by each seat lands, written by the
    // hand drawing of every frame.
    Point wallorigin[4];
    Point seatpoint[4];
    Point handanchor;
    Point actionpoint[4];
    Point chipplate[4];
    Point dicestart[4];
    Point drawtarget[4];

    // The moving thing.
    Point start, target, pos, prev;
    int step = 0;
    int dicethrower = 0;
    int die1 = 0; // dice cells 0-5
    int die2 = 0;
    uint8_t diceshown = 0;
    MjTile flytile;
    uint8_t showall = 0;
    uint8_t animkind = AnimNone;
    int flightvertical = 0;

    MjTile grid[kGridSize][kGridSize] = {};
    uint8_t gridused[kGridSize][kGridSize] = {};
    int gridrows = 0;
    int gridcols = 0;

    // Where each seat's avatar was drawn last; clicks are tested against them.
    Rect avatarrect[4];
    // Where the hovered tile's tool-tip stands; shown while tooltiptext is not empty.
    Point tooltippoint;

private:
    bool OpenFullScreen(FrameSink *window);
    bool OpenWindowed();
    void ShowLoadingPicture();
    void LoadPictureSet();
    void ReleasePictures();

    // Frame composition.
    void DrawScreens(CMj &mj, const uint8_t *wallstack);
    void DrawTable(CMj &mj, const uint8_t *wallstack);
    void DrawSeatSigns(CMj &mj);
    void DrawMovingThing();
    void DrawWidgets(CMj &mj);
    void DrawChowChoices(CMj &mj);
    void DrawHints(CMj &mj);
    void DrawGameMenu();
    void DrawToolTip();
    bool ButtonShown(int index) const;
    void Dim(int alpha);

    // Pieces of the table.
    void DrawReadySigns(CMj &mj);
    void DrawAvatars(CMj &mj);
    // The other seats' names and scores, on their plates.
    void DrawNames(CMj &mj);
    Rect OnPlate(int seat, Rect box) const;
    void DrawDiscards(CMj &mj);
    void DrawWalls(const uint8_t *wallstack);
    void DrawLocalMelds(CMj &mj);
    void DrawDice();
    void DrawLocalName(CMj &mj);
    void DrawScores(CMj &mj);
    void DrawTopHand(CMj &mj);
    void DrawRightHand(CMj &mj);
    void DrawLeftHand(CMj &mj);
    void DrawLocalHand(CMj &mj);
    void DrawDiscardFrames(CMj &mj);
    void DrawClaimSigns(CMj &mj);
    void DrawReadyMarks(CMj &mj);
    void DrawCountdown(CMj &mj);
    void DrawWildTile(CMj &mj);
    // A side seat's melds from (x, y) downwards; returns where the next thing below starts.
    int DrawSideMelds(CMj &mj, int seat, int x, int y);
    void DrawSideMeldTile(CMj &mj, int seat, const CMjPlayer &p, int meld, int tile, int x, int y);
    bool SeatShown(const CMj &mj, int seat) const;

    // A cell of a sheet at (x, y), keyed, or blended at alpha when shaded; cut short by the bottom 8.
    void DrawCell(const Sprite &sheet, TileCell cell, int index, int x, int y, bool shortTile, bool shaded);
    void DrawSprite(const Sprite &sprite, int x, int y);
    void BlendSprite(const Sprite &sprite, int x, int y, int alpha);
    // The picture blended inside box, scaled with its proportions kept and centred.
    void BlendInto(const Sprite &sprite, Rect box, int alpha);

    // The local hand's left edge, shared by the hand drawing and the hit tests.
    int HandLeft(const CMjPlayer &p, bool ended) const;
    // The index of the hand tile or drawn tile (cardnum) under (x, y), or -1.
    int TileUnder(int x, int y, const CMjPlayer &p, int left) const;

    std::function<void()> paint_;
};

// Under the wild-tile rule: the same tile, or both flowers. Always false without the rule.
bool IsSameOrFlower(MjTile a, MjTile b);

// Renderer state shared with the screens.
extern int tophandy;               // the top seat's hand row
extern std::string tooltiptext;    // the hovered tile's name; empty when no tool-tip shows
extern std::string avatarname[4];  // the avatar picture loaded for each seat
extern int wallflightside;         // the wall side a flying wall tile comes from
extern int discardseat;            // the seat whose tile flies
