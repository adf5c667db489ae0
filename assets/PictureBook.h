#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

// The pictures written so far, in order, so that the contact sheet can show them all. Paths are the
// program's own ("Graphic\Room.bmp").
class PictureBook {
public:
    struct Entry {
        std::string path;
        QImage image;
    };

    explicit PictureBook(std::filesystem::path folder);

    // A sprite: whatever was left transparent becomes the colour key (magenta); visible colours are
    // kept off the key.
    void AddKeyed(const std::string &path, const QImage &picture);
    void AddOpaque(const std::string &path, const QImage &picture);
    // A GIF whose transparent index covers what was left transparent.
    void AddGif(const std::string &path, const QImage &picture);

    bool Ok() const { return ok_; }
    // A picture written before, as written (keyed areas magenta); null when there is none.
    const QImage *Find(std::string_view path) const;
    // A picture that cannot be drawn as it should spoils the whole book.
    void Fail(const std::string &why);
    const std::vector<Entry> &Entries() const { return entries_; }

private:
    std::filesystem::path File(const std::string &path) const;

    std::filesystem::path folder_;
    std::vector<Entry> entries_;
    bool ok_ = true;
};

// A keyed picture (as Find gives it) with its key colour made transparent again, to draw it over
// another picture.
QImage SeeThrough(const QImage &keyed);
// A transparent picture to draw a sprite on.
QImage Canvas(int width, int height);
// A sprite drawn by draw on a fresh canvas, antialiased.
QImage Drawn(int width, int height, const std::function<void(QPainter &)> &draw);
// A rounded panel shaded from top to bottom, with a rim.
void Panel(QPainter &painter, const QRectF &box, QColor top, QColor bottom, QColor rim, double rimWidth, double radius);
// The table's felt over area, shaded from the frame's top to its bottom, in a gold rim.
void Felt(QPainter &painter, const QRectF &area, const QRectF &rim);
// The Chinese face of the pictures; Latin digits and letters come from the same family.
QFont HanFont(double pixels, bool bold = true);
// Text centred in a box, optionally with an outline that keeps it readable on any background.
void DrawText(QPainter &painter, const QRectF &box, std::u16string_view text, const QFont &font, QColor colour,
              QColor outline = Qt::transparent, double outlineWidth = 0);

// A button strip of five frames of w x h (normal, hovered, pressed, disabled, spare): a plate in the
// base colour with the word on it.
QImage Button(int w, int h, std::u16string_view word, QColor base, double size);
// Five frames of a small plate with a triangle pointing up or down.
QImage Arrow(int w, int h, bool pointsUp, QColor base);
// A tile of the column a scroll bar runs in, repeated downwards.
QImage ColumnTile(int w, int h);

// The field of an edit box: light, with a sunken rim.
QImage EditField(int w, int h);
// A check box 20 pixels tall: the box, ticked or not, and its label (if any) to the right of it.
QImage CheckBox(int width, bool checked, std::u16string_view label);

// Drawing of each kind of picture.
void DrawTiles(PictureBook &book);
void DrawTable(PictureBook &book);
void DrawSigns(PictureBook &book);
void DrawAvatars(PictureBook &book);
// The main window's lobby lists take the faces drawn before them.
void DrawListIcons(PictureBook &book);
void DrawWidgets(PictureBook &book);
void DrawMessageScreens(PictureBook &book);
// The screens of online play: login, server choice, registration.
void DrawOnlineScreens(PictureBook &book);
// The lobby: its backdrop, tables, seats, page bar, chat input and buttons.
void DrawLobby(PictureBook &book);
// The title menu, the saved-game slots with their confirmation, the name screen and the options.
void DrawGameScreens(PictureBook &book);
// The score screen and its fan hints; its tiles come from the sheets drawn before it.
void DrawScoreScreen(PictureBook &book);
// The help pages show tiles of the sheets drawn before them.
void DrawHelp(PictureBook &book);
bool WriteContactSheet(const PictureBook &book, const std::filesystem::path &file);
// Beside the data folder, the lists of the resources built from its pictures: "MjRes.qrc", the table's
// pictures that the bundle "MjRes.rcc" carries, and "OwnPictures.qrc", those compiled into the program.
bool WriteResourceLists(const PictureBook &book, const std::filesystem::path &data);
