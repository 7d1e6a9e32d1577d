#pragma once
#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace carnelis::kit {
class Line;
}

namespace carnelis {

class ClickList;
class DriveList;
class FileList;
class FolderList;

// The chooser's controls, placed as designed (twips / 15 = pixels, absolute geometry),
// with their colours, fonts, captions and focus order. Each control's object name is
// its design name ("Option2_4" for Option2(4)).
struct FrmUniteControls {
    explicit FrmUniteControls(QWidget *client);

    static constexpr int ClientWidth = 634;  // 9510 twips
    static constexpr int ClientHeight = 435; // 6525 twips

    DriveList *Drive1;
    FolderList *Dir1;
    QGroupBox *Frame1;
    FileList *File1;
    QGroupBox *Frame2;
    ClickList *List1;
    QPushButton *CmdOuvrir;
    QGroupBox *Frame3;
    std::array<QRadioButton *, 10> Option1;
    QGroupBox *Frame4;
    std::array<QRadioButton *, 10> Option2;
    QLabel *Label2;
    QGroupBox *Frame5;
    std::array<QRadioButton *, 4> Option3;
    QPushButton *Command1;
    QLabel *LabCarnelis;
    QLabel *LabAide;
    QLabel *Label1;
    kit::Line *Line1;
    kit::Line *Line2;
};

} // namespace carnelis
