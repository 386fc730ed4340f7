// The project part of the folder-tree window: once the window was opened the project takes
// the layout that carries the folder list ("Header:WSP"), with the window's option line
// (row count, the two combos, the Office-documents check box) and its folder rows.
#include "batch/ProjectParts.h"

#include "batch/WindowLoadedFlags.h"
#include "batch/frmPathConv.h"
#include "core/FileGrid.h"
#include "core/ProjectFile.h"
#include "core/ProjectLine.h"
#include "platform/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

class FolderListProjectPartImpl : public ProjectPart {
public:
    void Save(ProjectWriter& file) override
    {
        if (!gbPathConvLoaded)
            return;
        FrmPathConv& pathConv = frmPathConv();
        const int count = pathConv.lstPath->Rows() - 1;
        file.UseFolderLayout();
        file.OptionLine({ProjectText(QStringLiteral("PathConvOption")), ProjectNumber(count),
                         ProjectNumber(pathConv.cbCodeConv->currentIndex()),
                         ProjectNumber(pathConv.cbPhraseConv->currentIndex()),
                         ProjectNumber(pathConv.chkConvMSOFiles->isChecked() ? 1 : 0)});
        if (count > 0)
            PrjLstDirSave(pathConv.lstPath, file.RowLines());
    }

    void ShowOptions(ProjectReader& file) override
    {
        m_count = -1;
        if (!file.FolderLayout())
            return;
        const QStringList folders = file.NextWithKey("PathConvOption");
        m_count = folders.value(1).toInt();
        if (m_count > -1) {
            SetProjectComboIndex(frmPathConv().cbCodeConv, folders.value(2));
            SetProjectComboIndex(frmPathConv().cbPhraseConv, folders.value(3));
            frmPathConv().chkConvMSOFiles->setChecked(folders.value(4).trimmed() == QLatin1String("1"));
        }
    }

    void ShowRows(ProjectReader& file) override
    {
        if (!file.FolderLayout() || m_count <= 0)
            return;
        PrjLstDirShow(frmPathConv().lstPath, file, m_count);
        file.ExpectEndLine();
    }

    std::unique_ptr<KeptProjectPart> Keep() override
    {
        if (!gbPathConvLoaded)
            return nullptr; // nothing of the user's; putting back empties what a project filled
        FrmPathConv& pathConv = frmPathConv();
        return std::make_unique<KeptProjectPart>(
            [code = pathConv.cbCodeConv->currentIndex(), phrase = pathConv.cbPhraseConv->currentIndex(),
             office = pathConv.chkConvMSOFiles->isChecked(), rows = pathConv.lstPath->TakeContent()] {
                FrmPathConv& window = frmPathConv();
                window.cbCodeConv->setCurrentIndex(code);
                window.cbPhraseConv->setCurrentIndex(phrase);
                window.chkConvMSOFiles->setChecked(office);
                window.lstPath->PutContent(rows);
            });
    }

    void Empty() override
    {
        if (gbPathConvLoaded)
            ClearFG(frmPathConv().lstPath);
    }

private:
    int m_count = -1;
};

} // namespace

std::unique_ptr<ProjectPart> FolderListProjectPart() { return std::make_unique<FolderListProjectPartImpl>(); }
