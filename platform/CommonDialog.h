#pragma once
// The common file dialog with its classic properties. Showing it goes through the modal
// seam. The filter is written "description|pattern|description|pattern...".
#include <QString>

constexpr int cdlOFNOverwritePrompt = 0x2;
constexpr int cdlOFNHideReadOnly = 0x4;
constexpr int cdlOFNAllowMultiselect = 0x200;
constexpr int cdlOFNPathMustExist = 0x800;
constexpr int cdlOFNFileMustExist = 0x1000;
constexpr int cdlOFNExplorer = 0x80000;

class CommonDialog {
public:
    QString Filter;
    int FilterIndex = 1;
    QString InitDir;  // empty: the folder used last (LastUsedFolder)
    QString DefaultExt;
    QString DialogTitle;
    QString FileName;
    int Flags = 0;
    int MaxFileSize = 260;

    // After the dialog closed: true when the user cancelled. FileName is then left as it was.
    bool Cancelled = false;

    // Open dialog. With cdlOFNAllowMultiselect and several files chosen, FileName holds the
    // folder and the names separated by NUL characters, as the classic dialog returns them.
    void ShowOpen();
    void ShowSave();

private:
    void show(bool save);
};

// Asks for a folder through the modal seam; empty when cancelled.
QString BrowseForFolder(const QString& title, const QString& initialFolder = QString());
