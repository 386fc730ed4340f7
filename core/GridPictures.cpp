#include "core/GridPictures.h"

#include "resources/Pictures.h"

GridPicture gPicActive;
GridPicture gPicInactive;
GridPicture gPicDone;
GridPicture gPicLocked;
GridPicture gPicLockedInactive;

void LoadGridPictures()
{
    gPicActive = LoadResPicture(ResPicActive);
    gPicInactive = LoadResPicture(ResPicInactive);
    gPicDone = LoadResPicture(ResPicDone);
    gPicLocked = LoadResPicture(ResPicLocked);
    gPicLockedInactive = LoadResPicture(ResPicLockedInactive);
}
