#pragma once
// Shared conversion parameters: the four conversion flags of a file-list or database window
// turned into the library's codes, for UTF-16 strings (Office documents, database tables)
// and for whole text files.
#include <QString>

#include <cstdint>

// Written only by SetConvertOption: 4 Traditional to Simplified, 5 Traditional text
// vocabulary only, 6 Simplified to Traditional, 7 Simplified text vocabulary only.
extern int16_t giConvType;
// Types 4 and 6: 0 with vocabulary, 2 without; types 5 and 7: 4 when bL2R, else 3.
extern int16_t giConvOption;
// The font converted Office text is given: "宋体" for Simplified output, "細明體" for Traditional.
extern QString gsConvFontName;

// Note the flag order, which differs from the converters' usual (bCode, bPhrase, bB52GB, bL2R).
void SetConvertOption(bool bB52GB, bool bCode, bool bPhrase, bool bL2R);

// Converts a UTF-16 text with the mode and flag of the type and option; "" on any failure.
QString ConvertUString(const QString& text, int convType, int convOption);

// Converts one whole text or HTML file; flag (-1 or 0) asks for an HTML charset tag.
// Returns the library's result: 0 when the output was written.
int32_t ConvertFileByFlags(const QString& inputPath, const QString& outputPath, bool bCode, bool bPhrase,
                        bool bB52GB, bool bL2R, int32_t flag);
// The same on a statement of the caller's (a worker thread's own).
int32_t ConvertFileByFlagsOn(int32_t hStmt, const QString& inputPath, const QString& outputPath, bool bCode,
                             bool bPhrase, bool bB52GB, bool bL2R, int32_t flag);
