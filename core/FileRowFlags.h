#pragma once
// The 32-bit word each file-list row keeps in its RowData: the window's conversion flags
// when the row was added, the charset-tag choice, the row's type and the processed mark.
#include <cstdint>

constexpr int32_t FileRowTraditional = 0x01;   // bB52GB: the source is Traditional
constexpr int32_t FileRowCode = 0x02;          // bCode: convert characters
constexpr int32_t FileRowPhrase = 0x04;        // bPhrase: convert vocabulary
constexpr int32_t FileRowToSimplified = 0x08;  // bPhrase and bL2R: vocabulary toward Simplified
constexpr int32_t FileRowAddTag = 0x10;        // add a charset tag to HTML output
constexpr int32_t FileRowText = 0x20;          // text or HTML, through the library's file conversion
constexpr int32_t FileRowWord = 0x40;          // word-processor document
constexpr int32_t FileRowExcel = 0x80;         // workbook
constexpr int32_t FileRowPowerPoint = 0x100;   // presentation
constexpr int32_t FileRowProcessed = INT32_MIN; // 0x80000000: a run has handled the row

// The flag byte of the rows one addition makes, from the window's conversion flags (in the
// order the list fillers take them) and the add-tag choice.
constexpr int32_t FileRowFlagByte(bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag)
{
    return (bB52GB ? FileRowTraditional : 0) | (bCode ? FileRowCode : 0) | (bPhrase ? FileRowPhrase : 0)
        | (bPhrase && bL2R ? FileRowToSimplified : 0) | (addTag ? FileRowAddTag : 0);
}
