#pragma once
// The user-defined rows of Big5 (code page 950) that the system's converter leaves out, and
// the private-use characters they stand for: each row holds the trail bytes 40..7E and
// A1..FE, 157 cells, numbered on from the row's first character. Written without Qt so
// that the conversion library's table builder uses the same mapping as the program.
#include <cstdint>
#include <optional>

namespace big5_user_area {

struct Rows {
    uint8_t firstLead;
    uint8_t lastLead;
    char16_t firstChar;
};

inline constexpr Rows kRows[] = {
    {0xFA, 0xFE, 0xE000},
    {0x8E, 0xA0, 0xE311},
    {0x81, 0x8D, 0xEEB8},
};
inline constexpr int kCellsPerRow = 157;

// The cell number of a trail byte inside its row, or -1 for a byte that is no trail.
constexpr int TrailCell(uint8_t trail)
{
    if (trail >= 0x40 && trail <= 0x7E)
        return trail - 0x40;
    if (trail >= 0xA1 && trail <= 0xFE)
        return 63 + (trail - 0xA1);
    return -1;
}

// The private-use character of a user-defined code, if the code is one.
constexpr std::optional<char16_t> CharOf(uint8_t lead, uint8_t trail)
{
    const int cell = TrailCell(trail);
    if (cell < 0)
        return std::nullopt;
    for (const Rows& rows : kRows)
        if (lead >= rows.firstLead && lead <= rows.lastLead)
            return static_cast<char16_t>(rows.firstChar + (lead - rows.firstLead) * kCellsPerRow + cell);
    return std::nullopt;
}

// The user-defined code (lead << 8 | trail) of a private-use character, if it has one.
constexpr std::optional<uint16_t> CodeOf(char16_t c)
{
    for (const Rows& rows : kRows) {
        const int count = (rows.lastLead - rows.firstLead + 1) * kCellsPerRow;
        if (c >= rows.firstChar && c < rows.firstChar + count) {
            const int index = c - rows.firstChar;
            const int lead = rows.firstLead + index / kCellsPerRow;
            const int cell = index % kCellsPerRow;
            const int trail = cell < 63 ? 0x40 + cell : 0xA1 + (cell - 63);
            return static_cast<uint16_t>(lead << 8 | trail);
        }
    }
    return std::nullopt;
}

} // namespace big5_user_area
