#include "batch/FileListRows.h"

#include "batch/frmOutputSetting.h"
#include "platform/FlexGrid.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

OutputSettingsNow ReadOutputSettings()
{
    const FrmOutputSetting& settings = frmOutputSetting();
    return { settings.opSelectDir, settings.strDir };
}

bool OutputFolderMissing(const OutputSettingsNow& settings)
{
    if (!settings.toFolder || !settings.folder.isEmpty())
        return false;
    MsgBox(LoadResString(1009), vbOKOnly, frmOutputSetting().windowTitle());
    return true;
}

int AppendListRow(FlexGrid* grid, const QString& input, const QString& output, int32_t rowWord)
{
    grid->AddItem(QString());
    const int row = grid->Rows() - 1;
    grid->setTextMatrix(row, 2, input);
    grid->setTextMatrix(row, 3, output);
    grid->setRowData(row, rowWord);
    return row;
}

void FixHeaderRow(FlexGrid* grid)
{
    if (grid->Rows() >= 2)
        grid->setFixedRows(1);
}
