#pragma once
// RTF conversion: converts the document text of an RTF file and re-encodes it for the
// target script, declaring the target's code page and character sets.
#include "Convert.h"

#include <string>

namespace tezc {

int32_t convertRtfFile(Stmt& st, const std::string& in, const std::string& out, int32_t mode,
                       int32_t flags);
// The same on text in memory; returns 0 or an error code.
int32_t convertRtf(Stmt& st, std::string_view rtf, std::string& out, int32_t mode, int32_t flags);

}  // namespace tezc
