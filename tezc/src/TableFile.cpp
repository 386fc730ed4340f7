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

namespace {

size_t expectedSize(SectionKind kind) {
    switch (kind) {
    case SectionKind::Big5Decode: return kDbcsCells * 2;
    case SectionKind::Big5Encode: return 65536 * 2;
    case SectionKind::GbDecode: return (kDbcsCells + kGbFourByteBmp) * 2;
    case SectionKind::GbEncode: return 65536 * 4;
    case SectionKind::TrieS2T:
    case SectionKind::TrieT2S: return 0;  // any size its own check accepts
    }
    return 0;
}

bool isTrie(SectionKind kind) { return kind == SectionKind::TrieS2T || kind == SectionKind::TrieT2S; }

// The header and directory of a file of fileSize bytes made for role: every section where
// the role expects it, of its size, inside the file.
bool directoryFits(const CctHeader& h, const std::vector<CctSection>& dir, uint64_t fileSize, uint32_t role) {
    const auto& expected = cctRoles()[role].sections;
    if (dir.size() != expected.size()) return false;
    for (size_t i = 0; i < dir.size(); ++i) {
        const CctSection& s = dir[i];
        if (s.kind != static_cast<uint32_t>(expected[i]) || s.offset % 8 != 0 || s.offset > h.fileSize ||
            s.size > h.fileSize - s.offset)
            return false;
        const size_t want = expectedSize(expected[i]);
        if (want != 0 && s.size != want) return false;
    }
    return h.fileSize == fileSize;
}

bool sameSection(const ReadOnlyFile& file, const CctSection& s, const TableSection& loaded) {
    return loaded.kind == static_cast<SectionKind>(s.kind) && loaded.size == s.size &&
           file.holdsAt(s.offset, loaded.data, loaded.size);
}

}  // namespace

CctLoad loadCct(const std::string& path, uint32_t role, const std::vector<const TableSection*>& known,
                std::vector<TableSection>& sections) {
    if (role >= cctRoles().size()) return CctLoad::NotATable;
    ReadOnlyFile file;
    if (!file.open(path) || file.size() == 0) return CctLoad::Unreadable;
    CctHeader h;
    if (!file.readAt(0, &h, sizeof h)) return CctLoad::NotATable;
    if (std::memcmp(h.magic, kCctMagic, sizeof h.magic) != 0 || h.version != kCctVersion || h.role != role ||
        h.sectionCount != cctRoles()[role].sections.size())
        return CctLoad::NotATable;
    std::vector<CctSection> dir(h.sectionCount);
    if (!file.readAt(sizeof h, dir.data(), dir.size() * sizeof(CctSection)) ||
        !directoryFits(h, dir, file.size(), role))
        return CctLoad::NotATable;

    std::vector<TableSection> out(dir.size());
    size_t freshBytes = 0;
    for (size_t i = 0; i < dir.size(); ++i) {
        out[i].kind = static_cast<SectionKind>(dir[i].kind);
        out[i].size = dir[i].size;
        const void* tried = nullptr;  // known sections shared by several tables come in a row
        for (const TableSection* k : known) {
            if (!k || k->data == tried) continue;
            if (sameSection(file, dir[i], *k)) {
                out[i].data = k->data;
                out[i].owner = k->owner;
                break;
            }
            if (k->kind == out[i].kind) tried = k->data;
        }
        if (!out[i].owner) freshBytes += (dir[i].size + 63) & ~size_t(63);
    }
    std::shared_ptr<const uint8_t> block;
    if (freshBytes != 0 && !(block = sharedPages(freshBytes))) return CctLoad::Unreadable;
    auto* at = const_cast<uint8_t*>(block.get());
    for (size_t i = 0; i < dir.size(); ++i) {
        if (out[i].owner) continue;
        // An empty trie fails its check like any other broken one.
        if (!file.readAt(dir[i].offset, at, dir[i].size) ||
            (isTrie(out[i].kind) && !TrieView::check(at, dir[i].size)))
            return CctLoad::NotATable;
        out[i].data = at;
        out[i].owner = block;
        at += (dir[i].size + 63) & ~size_t(63);
    }
    sections = std::move(out);
    return CctLoad::Loaded;
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
