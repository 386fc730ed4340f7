#pragma once
// A file-list window with the two option combos of a conversion run in its toolbar row: the
// conversion type (cbCodeConv) and the vocabulary choice (cbPhraseConv) that follows it.
// The Word, Excel, PowerPoint, HTML and folder-tree windows are such windows.
#include "batch/FileListWindow.h"

class QComboBox;

class CodeConvWindow : public FileListWindow {
    Q_OBJECT
public:
    // loadedFlag is the window's flag in WindowLoadedFlags, set by Form_Load.
    CodeConvWindow(const FileListWindowSetup& setup, bool& loadedFlag);
    void Form_Load() override;

    QComboBox* cbCodeConv = nullptr;
    QComboBox* cbPhraseConv = nullptr;

    void cbCodeConv_Click();

protected:
    // The flags by the conversion type and the vocabulary choice; an unselected type leaves them.
    void ReadConvFlags() override;

private:
    bool& m_loadedFlag;
};
