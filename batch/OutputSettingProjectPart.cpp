// The project part of the output-settings dialog: one option line with the choice of the
// same names in another folder ("True") or new names beside the input ("False"), and the
// folder. Reading it counts as confirmed output settings.
#include "batch/ProjectParts.h"

#include "batch/frmOutputSetting.h"
#include "core/ProjectFile.h"
#include "core/ProjectLine.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

class OutputSettingProjectPartImpl : public ProjectPart {
public:
    void Save(ProjectWriter& file) override
    {
        FrmOutputSetting& output = frmOutputSetting();
        file.OptionLine({ProjectText(QStringLiteral("OutputSetting")),
                         ProjectText(output.opDir->isChecked() ? QStringLiteral("True") : QStringLiteral("False")),
                         ProjectText(output.txtDir->text())});
    }

    void ShowOptions(ProjectReader& file) override
    {
        const QStringList output = file.NextWithKey("OutputSetting");
        FrmOutputSetting& settings = frmOutputSetting();
        const bool sameNames = output.value(1) == QLatin1String("True");
        if (sameNames)
            settings.opDir_Click();
        else
            settings.opAutoName_Click();
        settings.txtDir->setText(output.value(2));
        settings.strDir = output.value(2);
        settings.opSelectDir = sameNames;
        gbOutputSettingOK = true;
    }

    std::unique_ptr<KeptProjectPart> Keep() override
    {
        FrmOutputSetting& output = frmOutputSetting();
        return std::make_unique<KeptProjectPart>(
            [sameNames = output.opDir->isChecked(), dir = output.txtDir->text(), strDir = output.strDir,
             selectDir = output.opSelectDir, confirmed = gbOutputSettingOK] {
                FrmOutputSetting& settings = frmOutputSetting();
                if (sameNames)
                    settings.opDir_Click();
                else
                    settings.opAutoName_Click();
                settings.txtDir->setText(dir);
                settings.strDir = strDir;
                settings.opSelectDir = selectDir;
                gbOutputSettingOK = confirmed;
            });
    }
};

} // namespace

std::unique_ptr<ProjectPart> OutputSettingProjectPart() { return std::make_unique<OutputSettingProjectPartImpl>(); }
