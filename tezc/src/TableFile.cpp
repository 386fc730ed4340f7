#include "TableFile.h"

#include "FileIo.h"

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
