#pragma once
// The RTF converter of the Word route: converts an RTF intermediate through the conversion
// library and declares the target script's code page. Failures raise a RuntimeError.
#include <QString>

// Converts the document text of rtfFile into outputPath (code conversion only); the source
// is Traditional when bB52GB is set.
void ConvertStringForRTFFile(const QString& rtfFile, const QString& outputPath, bool bB52GB);

// Declares the target script's code page and character sets in the RTF file (re-encoding
// its text to match), in place; the target is Traditional when bTraditional is set.
void RtfChangeCodePage(const QString& file, bool bTraditional);
