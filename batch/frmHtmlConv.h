#pragma once
// The HTML window: converts the pages and files of a website folder. One of the six
// file-list windows (FileListWindow); its list and its two option combos are saved with the
// project.
#include "batch/FileListWindow.h"

class QComboBox;

class FrmHtmlConv : public FileListWindow {
    Q_OBJECT
public:
    FrmHtmlConv();
    void Form_Load() override;

    FlexGrid* lstHtml = nullptr;
    QComboBox* cbCodeConv = nullptr;
    QComboBox* cbPhraseConv = nullptr;

    void cbCodeConv_Click();
};

FrmHtmlConv& frmHtmlConv();
