#pragma once
// What the rest of the program calls of Office document conversion: detection of a running
// office suite of the user, start and quit of the program's own office for each kind of
// document, the word-processor operations of the Word route, and the document converters.
//
// The program drives one headless office of its own (platform/office): the Word, Excel and
// PowerPoint "applications" are holds on that one process. A user's own office is never
// used or disturbed.
//
// Failures: the detection, start and quit operations trap their failures, write one
// error-log record under their own name and return false. The word-processor operations
// trap nothing: a document that cannot be opened, changed or written throws a RuntimeError
// (core/Err.h) to the caller, which marks its row failed; they never leave a half-written
// output in place of the result. The converters return false when they fail.
#include <QString>

class DlgProgress;

// True when the user runs an office suite of their own (a window of the Office family in the
// original sense); false otherwise and after any failure. The file-list windows report it
// with messages 2005, 2006 and 2007 when they are first loaded and go on loading.
bool DetectWord();
bool DetectExcel();
bool DetectPowerPoint();

// Start the program's office for that kind of document (or join the one already running);
// true when it runs. Callers show message 1013, 1011 or 1012 when this fails.
bool InitWordApp();
bool InitExcelApp();
bool InitPowerPointApp();
// End that hold: ExitExcelApp and ExitPowerPointApp close their kind's documents still open;
// the office process ends when no kind holds it any more. True on success.
bool ExitWordApp();
bool ExitExcelApp();
bool ExitPowerPointApp();

// The Word route. WordSaveAsRtf writes strInFile as RTF to strOutFile (refused when
// strOutFile is strInFile); WordSaveAsWord8 writes strInFile as a Word 97 document to
// strOutFile (the same path twice converts a file in place). Each output is written into a
// temporary file beside it first, which then replaces it.
void WordSaveAsRtf(const QString& strInFile, const QString& strOutFile);
void WordSaveAsWord8(const QString& strInFile, const QString& strOutFile);
// Applies every in-use item of every ordinary in-use vocabulary table (status exactly 1) to
// the document, the terms first converted to Simplified (bTermB52GB) or Traditional script;
// bL2R: the Traditional term is replaced by the Simplified one, else the reverse. Steps the
// progress dialog's bar; saves the document.
void WordReplaceAllPhrases(const QString& strFile, bool bTermB52GB, bool bL2R);
// Replaces the Simplified term of every item of the library's extra table by its Traditional
// term; saves the document. Opens nothing when that table has no items.
void WordReplaceTablePhrases(const QString& strFile);
// Opens and saves the document; the find and replace formatting it clears is never carried
// from one search to the next here. flag has no effect.
void WordClearFindFormatting(const QString& strFile, bool flag);

// The name of a new RTF intermediate for an output: the output path with ".wpc" added, or,
// when a file of that name exists already, with ".<n>.wpc" for the first free n, so that no
// existing file is ever written over or deleted.
QString RtfIntermediatePath(const QString& outputPath);

// Document converters: one document from source into target through the running office,
// with the four conversion flags; false when it failed.
bool ConvertDOC(DlgProgress& progress, const QString& sSrc, const QString& sDst, bool bCode, bool bPhrase,
                bool bB52GB, bool bL2R);
bool ConvertXLS(DlgProgress& progress, const QString& sSrc, const QString& sDst, bool bCode, bool bPhrase,
                bool bB52GB, bool bL2R);
bool ConvertPPT(DlgProgress& progress, const QString& sSrc, const QString& sDst, bool bCode, bool bPhrase,
                bool bB52GB, bool bL2R);
