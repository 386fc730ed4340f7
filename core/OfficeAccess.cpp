#include "core/OfficeAccess.h"

#include "core/Err.h"
#include "core/Log.h"

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
    // A converter that fails writes its own record, as the real ones do.
    const auto cannot = [](const char* name) {
        return [name](DlgProgress&, const QString& sSrc, const QString&, bool, bool, bool, bool) {
            Err().Set(errOfficeUnavailable, sSrc + QStringLiteral(": Office document conversion is not available"));
            ErrorLogQuiet(QString::fromLatin1(name));
            Err().Clear();
            return false;
        };
    };
    s.ConvertDOC = cannot("ConvertDOC");
    s.ConvertXLS = cannot("ConvertXLS");
    s.ConvertPPT = cannot("ConvertPPT");
    return s;
}

OfficeServices& Office()
{
    static OfficeServices services = OfficeStandIn();
    return services;
}
