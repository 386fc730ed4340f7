#pragma once
// The Excel window: converts Excel workbooks and plain text files. One of the six
// file-list windows (FileListWindow); its list and its two option combos are saved with the
// project.
#include "batch/CodeConvWindow.h"

class FrmXlsConv : public CodeConvWindow {
    Q_OBJECT
public:
    FrmXlsConv();

    FlexGrid* lstXls = nullptr;

protected:
    void AddChosenFiles(const QStringList& files) override;
    void AddDroppedFiles(const QStringList& dropped) override;
    RunOutcome RunConversion() override;
    void ChangeType() override;
};

FrmXlsConv& frmXlsConv();
