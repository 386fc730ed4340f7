#include "core/OfficeAccess.h"

#include "core/Err.h"

namespace {

[[noreturn]] void RaiseUnavailable()
{
    throw RuntimeError(errOfficeUnavailable, QStringLiteral("Office document conversion is not available"));
}

}  // namespace

OfficeServices OfficeStandIn()
{
    OfficeServices s;
    const auto no = [] { return false; };
    s.DetectWord = no;
    s.DetectExcel = no;
    s.DetectPowerPoint = no;
    s.InitWordApp = no;
    s.InitExcelApp = no;
    s.InitPowerPointApp = no;
    s.ExitWordApp = [] {};
    s.ExitExcelApp = [] {};
    s.ExitPowerPointApp = [] {};
    s.WordSaveAsRtf = [](const QString&, const QString&) { RaiseUnavailable(); };
    s.WordSaveAsWord8 = [](const QString&, const QString&) { RaiseUnavailable(); };
    s.WordReplaceAllPhrases = [](const QString&, bool, bool) { RaiseUnavailable(); };
    s.WordReplaceTablePhrases = [](const QString&) { RaiseUnavailable(); };
    s.WordClearFindFormatting = [](const QString&, bool) { RaiseUnavailable(); };
    s.RtfIntermediatePath = [](const QString& outputPath) { return outputPath + QStringLiteral(".wpc"); };
    const auto cannot = [](DlgProgress&, const QString&, const QString&, bool, bool, bool, bool) { return false; };
    s.ConvertDOC = cannot;
    s.ConvertXLS = cannot;
    s.ConvertPPT = cannot;
    return s;
}

OfficeServices& Office()
{
    static OfficeServices services = OfficeStandIn();
    return services;
}
