#include "TableFile.h"

#include "CodePage.h"
#include "FileIo.h"
#include "Trie.h"

#include <cstring>

namespace tezc {

const std::vector<CctRole>& cctRoles() {
    using K = SectionKind;
    static const std::vector<CctRole> roles = {
        {"big5-gb.cct", {K::Big5Decode, K::TrieT2S, K::GbEncode}},
        {"gb-big5.cct", {K::GbDecode, K::TrieS2T, K::Big5Encode}},
        {"TD-TU.CCT", {K::Big5Decode}},
        {"SD-SU.CCT", {K::GbDecode}},
        {"TD-SU.CCT", {K::Big5Decode, K::TrieT2S}},
        {"SD-TU.CCT", {K::GbDecode, K::TrieS2T}},
        {"TU-SU.CCT", {K::TrieT2S}},
        {"SU-TU.CCT", {K::TrieS2T}},
        {"TU-TD.CCT", {K::Big5Encode}},
        {"SU-SD.CCT", {K::GbEncode}},
    };
    return roles;
}

bool isValidCct(const void* data, size_t size, uint32_t role) {
    if (role >= cctRoles().size() || size < sizeof(CctHeader)) return false;
    auto* base = static_cast<const uint8_t*>(data);
    CctHeader h;
    std::memcpy(&h, base, sizeof h);
    if (std::memcmp(h.magic, kCctMagic, sizeof h.magic) != 0 || h.version != kCctVersion ||
        h.role != role || h.fileSize != size)
        return false;
    const auto& expectedSections = cctRoles()[role].sections;
    if (h.sectionCount != expectedSections.size() ||
        sizeof(CctHeader) + size_t(h.sectionCount) * sizeof(CctSection) > size)
        return false;
    auto* dir = reinterpret_cast<const CctSection*>(base + sizeof(CctHeader));
    for (uint32_t i = 0; i < h.sectionCount; ++i) {
        const CctSection& s = dir[i];
        if (s.kind != static_cast<uint32_t>(expectedSections[i]) || s.offset % 8 != 0 ||
            s.offset > size || s.size > size - s.offset)
            return false;
        size_t expected = 0;
        switch (static_cast<SectionKind>(s.kind)) {
        case SectionKind::Big5Decode: expected = kDbcsCells * 2; break;
        case SectionKind::Big5Encode: expected = 65536 * 2; break;
        case SectionKind::GbDecode: expected = (kDbcsCells + kGbFourByteBmp) * 2; break;
        case SectionKind::GbEncode: expected = 65536 * 4; break;
        case SectionKind::TrieS2T:
        case SectionKind::TrieT2S:
            if (!TrieView::check(base + s.offset, s.size)) return false;
            continue;
        }
        if (s.size != expected) return false;
    }
    return true;
}


bool writeCct(const std::string& path, uint32_t role,
              const std::vector<std::pair<SectionKind, std::vector<uint8_t>>>& sections) {
    std::string out;
    const size_t dirOff = sizeof(CctHeader);
    size_t off = dirOff + sections.size() * sizeof(CctSection);
    off = (off + 7) & ~size_t(7);
    std::vector<CctSection> dir;
    for (const auto& [kind, data] : sections) {
        dir.push_back(CctSection{static_cast<uint32_t>(kind), 0, off, data.size()});
        off = (off + data.size() + 7) & ~size_t(7);
    }
    out.assign(off, '\0');
    CctHeader h{};
    std::memcpy(h.magic, kCctMagic, sizeof h.magic);
    h.version = kCctVersion;
    h.role = role;
    h.sectionCount = static_cast<uint32_t>(sections.size());
    h.fileSize = off;
    std::memcpy(out.data(), &h, sizeof h);
    std::memcpy(out.data() + dirOff, dir.data(), dir.size() * sizeof(CctSection));
    for (size_t i = 0; i < sections.size(); ++i)
        std::memcpy(out.data() + dir[i].offset, sections[i].second.data(), sections[i].second.size());
    return writeFileAtomic(path, out);
}

}  // namespace tezc
