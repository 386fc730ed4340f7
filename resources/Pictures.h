#pragma once
// The program's pictures: the 16x16 grid pictures by resource number, the toolbar icons by
// button key and the program icon. All are drawn on first use and kept.
#include <QIcon>
#include <QPixmap>
#include <QString>

// Resource numbers of the grid pictures.
enum ResPictureId : int {
    ResPicActive = 1001,         // a row in use: a lit bulb
    ResPicInactive = 1002,       // a row not in use: a bulb that is out
    ResPicTypeOther = 1003,      // a file copied unchanged: a blank page
    ResPicTypeTxt = 1004,        // a text or HTML file, a database table: the conversion arrow
    ResPicDone = 1007,           // a converted row: a green check
    ResPicTypeOffice = 1010,     // a Word, Excel or PowerPoint document
    ResPicFailed = 1101,         // a failed row or a missing input file: a red cross
    ResPicLocked = 1102,         // a locked table in use: a gold padlock
    ResPicLockedInactive = 1103, // a locked table not in use: a grey padlock
};

constexpr int GridPictureSize = 16;
constexpr int ToolbarIconSize = 32;

// The grid picture with this resource number, 16x16; a null pixmap for any other number.
QPixmap LoadResPicture(int id);

// The picture of a toolbar button, by its key (case matters: "DocConv", "OPEN" ...), drawn
// at 16, 24, 32 and 48 pixels. A key without a picture of its own gets a generic one.
QIcon LoadToolbarIcon(const QString& key);

// The program's icon for its windows.
QIcon ProgramIcon();
