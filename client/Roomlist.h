#pragma once
#include <QDialog>
#include <vector>

class NetLink;
class QPushButton;
class QTreeWidget;
struct RoomRow;

// Asks the server for a room (its place in the room list) and shows the wait for its answer; false
// for a number that names no room.
bool AskRoom(NetLink &link, int room);

// The choice of a room after the server's room notice: one checked row, sent as the room to enter.
class TRoomListForm : public QDialog {
public:
    static constexpr int kMaxRooms = 256; // the room travels in one byte

    TRoomListForm(QWidget *parent, NetLink &link);

    // The rooms in room order, as the room records left them; nothing is checked.
    void Fill(const std::vector<RoomRow> &rows);

    void ListView1SelectItem();
    void BitBtn1Click();

    QTreeWidget *ListView1;
    QPushButton *BitBtn1; // OK
    QPushButton *BitBtn2; // cancel

private:
    // The first checked row, or -1.
    int FirstChecked() const;

    NetLink &link_;
};
