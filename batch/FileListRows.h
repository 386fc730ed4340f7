#pragma once
// What the file-list fillers and the folder-row procedures share: the output settings check
// and the appending of one row.
#include <QString>

#include <cstdint>

class FlexGrid;

// The output settings as they stand when an addition starts.
struct OutputSettingsNow {
    bool toFolder = true; // opSelectDir: same names in the folder
    QString folder;       // strDir
};
OutputSettingsNow ReadOutputSettings();

// With the another-folder setting and no folder: message 1009 (OK only, the output settings
// dialog's title) and true, so that the caller adds nothing.
bool OutputFolderMissing(const OutputSettingsNow& settings);

// Appends the data row "" | "" | input | output with its row word, and returns its number.
// The paths go into their cells whole (a name may hold any character).
int AppendListRow(FlexGrid* grid, const QString& input, const QString& output, int32_t rowWord);

// Row 0 is the fixed row while data rows exist.
void FixHeaderRow(FlexGrid* grid);
