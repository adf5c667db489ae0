#pragma once
#include <QDialog>
#include <QImage>
#include <cstdint>
#include <string_view>

class DataModuleHooks;
class NetLink;
class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// A GIF picture as the dialogs show it: transparent pixels white. The path is taken as it stands
// when a file is there, else under the program folder; a null image when it does not decode.
QImage DrawGif(std::string_view path);

// The own user as the avatar dialog needs it.
struct AvatarOwner {
    int32_t userid = 0;
    uint8_t sex = 0;  // 1 male
    int32_t face = 0; // the table picture in use, 1-12
    int8_t mark = 0;  // 0: not a member
};

// The avatar dialog: the user picks one of the twelve table pictures (the 3D view) or looks at the
// own show picture kept on the service's web site (the 2D view), and saves the table picture.
// Pictures 2-6 are women's and 7-12 men's; the server's answer to a save updates the pictures.
class TAvatarForm : public QDialog {
public:
    TAvatarForm(NetLink &link, DataModuleHooks &hooks, QWidget *parent = nullptr);

    // Shows the dialog for the own user and waits for it.
    void Choose(const AvatarOwner &owner);
    // The dialog as it opens: the 2D view with the own picture, the row in use checked.
    void FormShow(const AvatarOwner &owner);
    // The save button.
    void BitBtn1Click();
    // The row at a point of the list (none: the selected row again) becomes the only checked one.
    void ListView1Click(QListWidgetItem *item);

    QCheckBox *CheckBox1; // the 3D view
    QListWidget *ListView1;
    QLabel *PaintBox1; // the preview, 140 x 226
    QLabel *Label3;    // the link to the show pictures' page
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3;
    QImage preview;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CheckBox1Click();
    void ListView1SelectItem();
    void ShowOwnPicture();
    void ShowRow(int row);
    void Preview(std::string_view path);
    void CheckOnly(int row);
    int FirstChecked() const;
    bool Is3D() const;

    NetLink &link;
    DataModuleHooks &hooks;
    AvatarOwner me;
};
