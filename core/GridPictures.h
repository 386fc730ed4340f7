#pragma once
// The grid pictures that start-up loads once and every grid shares: table and schedule rows
// in use or not, locked tables, and converted file rows.
#include "platform/GridPicture.h"

extern GridPicture gPicActive;
extern GridPicture gPicInactive;
extern GridPicture gPicDone;
extern GridPicture gPicLocked;
extern GridPicture gPicLockedInactive;

// Loads the five pictures (bitmap resources 1001, 1002, 1007, 1102, 1103).
void LoadGridPictures();
