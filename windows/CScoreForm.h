#pragma once
#include "screen/CachedPicture.h"
#include "windows/CBitForm.h"

#include <cstdint>
#include <string_view>
#include <vector>

class CMjPlayer;
struct GetMj;
struct MjTile;

// Screen 1, over the dimmed table when a hand ends: the winner's hand with the winning tile, the
// fans scored with their points (six rows at a time, with a hint for the fan under the mouse), the
// fan total, the four names with their score changes; a drawn hand shows only its picture. Replay
// starts the next hand, exit leaves the table. Holding the space bar hides the panel.
class CScoreForm : public CBitForm {
public:
    enum Button { REPLAY = 0, EXIT = 1, UP = 2, DOWN = 3 };
    static constexpr int kRowsShown = 6;
    // A score change is drawn in four digits only while its size is below this.
    static constexpr int64_t kMaxShown = 9999;

    // One line of the fan list: a fan (1-88) or an extra fan (0-6).
    struct FanRow {
        bool extra;
        int index;
        bool operator==(const FanRow &) const = default;
    };

    CScoreForm(std::string_view background, CMj *owner);

    // Only while the panel is shown.
    void Draw() override;
    void SetPos(int px, int py) override;
    // For the hand that ended: the winner, the list from its top, the panel shown.
    void Show() override;
    // A press away from the buttons holds the rows' hover until the release.
    int MouseDown(int px, int py) override;
    int MouseMove(int px, int py) override;
    int MouseUp(int px, int py) override;
    // The space bar held hides the panel, and its release shows it again. Both return 0.
    int OnSpaceDown(int key);
    int OnSpaceUp(int key);
    void KeyDown(int key) override { OnSpaceDown(key); }
    void KeyUp(int key) override { OnSpaceUp(key); }

    // The winner's fans in index order, then its extra fans; the flower fan whenever it has flowers.
    std::vector<FanRow> Rows() const;
    // The points a row shows: the fan's by its band, the flower fan's by the flowers shown.
    int Points(FanRow row) const;

    int winner = -1;     // the first seat that won, or -1 for a drawn hand
    int firstrow = 0;    // rows scrolled away at the top
    int hoverrow = -1;   // the shown row (0-5) under the mouse, or -1
    uint8_t panelshown = 1;
    uint8_t hoverheld = 0; // a press outside the buttons lasts
    CachedPicture tiles;   // 43 cells side by side
    CachedPicture drawngame;
    CachedPicture digits;  // 0-9, each 19 x 18
    CachedPicture signs;   // plus, then minus
    CachedPicture column;  // the strip beside the rows, repeated downwards
    CachedPicture hints;   // one cell per fan, ten to a row
    CachedPicture rowlight; // behind the pointed fan row, whose dark letters need a light ground

private:
    void DrawTile(MjTile tile, int px, int py, bool faded);
    // Tile by tile from (*px, py); a kong's fourth tile stands over its second. *px moves past it.
    void DrawGroup(const GetMj &group, int *px, int py, bool wildFaded);
    void DrawHand(const CMjPlayer &p);
    void DrawScoreChange(int32_t change, int signx, int signy, int digitx, int digity);
    void DrawTexts();
    void DrawRows();
    // The top of the pointed fan row's explanation, from the panel's top.
    int HintTop(int row) const;
};

extern CScoreForm *scoreform;
