#pragma once
// The conversion table file (.CCT): an identifying header, a section directory and
// 8-byte aligned sections (tries and code page maps), copied into memory at load time
// (a section another loaded table already holds is shared instead).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tezc {

constexpr char kCctMagic[8] = {'T', 'E', 'Z', 'C', 'C', 'T', '\r', '\n'};
constexpr uint32_t kCctVersion = 1;

enum class SectionKind : uint32_t {
    Big5Decode = 1,  // uint16_t[126 * 191]: lead 0x81..0xFE, trail 0x40..0xFE
    Big5Encode = 2,  // uint16_t[65536]: Big5 code of each BMP unit, 0 = none
    GbDecode = 3,    // uint16_t[126 * 191] two-byte part, then uint16_t[39420] four-byte BMP part
    GbEncode = 4,    // uint32_t[65536]: two-byte code (<= 0xFFFF) or four-byte code, 0 = none
    TrieS2T = 5,     // Simplified -> Traditional (Taiwan standard) with phrase context
    TrieT2S = 6,     // Traditional -> Simplified with phrase context
};
constexpr uint32_t kSectionKinds = 7;

struct CctHeader {
    char magic[8];
    uint32_t version;
    uint32_t role;  // table index 0..9 the file is made for
    uint32_t sectionCount;
    uint32_t reserved;
    uint64_t fileSize;
};

struct CctSection {
    uint32_t kind;
    uint32_t reserved;
    uint64_t offset;
    uint64_t size;
};

// Table index -> file name and the sections it carries.
struct CctRole {
    const char* fileName;
    std::vector<SectionKind> sections;
};
const std::vector<CctRole>& cctRoles();

// One section of a loaded table file. Its bytes may be shared with other loaded tables
// that carry the same section.
struct TableSection {
    SectionKind kind{};
    const void* data = nullptr;
    size_t size = 0;
    std::shared_ptr<const uint8_t> owner;  // keeps data alive
};

enum class CctLoad { Loaded, Unreadable, NotATable };

// Loads the table file at path made for the table index role, refusing one that is not
// whole and well-formed. A section byte-identical to one of known is shared with it; the
// others are read into fresh memory and checked there, so that what was checked stays what
// is read later, whatever happens to the file on disk.
CctLoad loadCct(const std::string& path, uint32_t role, const std::vector<const TableSection*>& known,
                std::vector<TableSection>& sections);

// Writes a table file whole (temporary file, then rename).
bool writeCct(const std::string& path, uint32_t role,
              const std::vector<std::pair<SectionKind, std::vector<uint8_t>>>& sections);

}  // namespace tezc
