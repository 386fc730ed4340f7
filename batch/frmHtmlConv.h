#pragma once
// The HTML window: converts the pages and files of a website folder. One of the six
// file-list windows (FileListWindow); its list and its two option combos are saved with the
// project.
#include "batch/CodeConvWindow.h"

class FrmHtmlConv : public CodeConvWindow {
    Q_OBJECT
public:
    FrmHtmlConv();

    FlexGrid* lstHtml = nullptr;

protected:
    void AddChosenFiles(const QStringList& files) override;
    void AddDroppedFiles(const QStringList& dropped) override;
    RunOutcome RunConversion() override;
    void ChangeType() override;
    void AddFiles() override;
    void ChangeOutput() override;
};

FrmHtmlConv& frmHtmlConv();
