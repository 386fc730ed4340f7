#pragma once
// The Office document procedures the batch runs call, as one table the composition fills.
// The batch subsystem reaches Office only through Office(); until the composition puts the
// Office layer's procedures in, the stand-in entries answer: detections False, starts and
// converters False, the Word procedures raise run-time error 429 "Office document conversion
// is not available". A test may replace any entry.
#include <QString>

#include <functional>

class DlgProgress;

struct OfficeServices {
    std::function<bool()> DetectWord;
    std::function<bool()> DetectExcel;
    std::function<bool()> DetectPowerPoint;

    std::function<bool()> InitWordApp;
    std::function<bool()> InitExcelApp;
    std::function<bool()> InitPowerPointApp;
    std::function<void()> ExitWordApp;
    std::function<void()> ExitExcelApp;
    std::function<void()> ExitPowerPointApp;

    // These raise a RuntimeError on failure.
    std::function<void(const QString& in, const QString& out)> WordSaveAsRtf;
    std::function<void(const QString& in, const QString& out)> WordSaveAsWord8;
    std::function<void(const QString& file, bool bTermB52GB, bool bL2R)> WordReplaceAllPhrases;
    std::function<void(const QString& file)> WordReplaceTablePhrases;
    std::function<void(const QString& file, bool flag)> WordClearFindFormatting;
    std::function<QString(const QString& outputPath)> RtfIntermediatePath;

    // True when the converter ran to its end; on False it has written one error-log record
    // naming the document and what failed, which is the row's record.
    using Converter = std::function<bool(DlgProgress& progress, const QString& sSrc, const QString& sDst, bool bCode,
                                         bool bPhrase, bool bB52GB, bool bL2R)>;
    Converter ConvertDOC;
    Converter ConvertXLS;
    Converter ConvertPPT;
};

// The entries that stand in while no Office layer is composed in.
OfficeServices OfficeStandIn();

// The program's table; starts as the stand-in.
OfficeServices& Office();

// Run-time error number of the stand-in's Word procedures.
constexpr int errOfficeUnavailable = 429;
