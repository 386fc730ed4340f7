// The Word document converter is not built yet: each logs that it did nothing and reports
// failure, so that no row counts as converted.
#include "core/Err.h"
#include "core/Log.h"
#include "office/OfficeServices.h"

namespace {

bool NotBuiltYet(const char* name, const QString& what)
{
    Err().Set(errInvalidCall, QStringLiteral("Office document conversion is not available yet: ") + what);
    ErrorLogQuiet(QString::fromLatin1(name));
    return false;
}

}  // namespace

bool ConvertDOC(DlgProgress&, const QString& sSrc, const QString&, bool, bool, bool, bool)
{
    return NotBuiltYet("ConvertDOC", sSrc);
}
