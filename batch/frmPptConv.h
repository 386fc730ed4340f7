#pragma once
// The PowerPoint window: converts PowerPoint presentations and plain text files. One of the six
// file-list windows (FileListWindow); its list and its two option combos are saved with the
// project.
#include "batch/CodeConvWindow.h"

class FrmPptConv : public CodeConvWindow {
    Q_OBJECT
public:
    FrmPptConv();

    FlexGrid* lstPpt = nullptr;

protected:
    void AddChosenFiles(const QStringList& files) override;
    void AddDroppedFiles(const QStringList& dropped) override;
    RunOutcome RunConversion() override;
    void ChangeType() override;
};

FrmPptConv& frmPptConv();
