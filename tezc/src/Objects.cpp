#include "Objects.h"

#include "TezCodes.h"

namespace tezc {

Registry& Registry::instance() {
    static Registry r;
    return r;
}

int32_t Registry::add(std::shared_ptr<Object> obj) {
    if (next_ >= 0x7FFFFFF0) next_ = 0x1000;
    while (objects_.count(next_)) ++next_;
    obj->handle = next_++;
    objects_[obj->handle] = obj;
    return obj->handle;
}

void Registry::remove(int32_t handle) { objects_.erase(handle); }

std::vector<const TableSection*> Env::loadedSections() const {
    std::vector<const TableSection*> all;
    for (const auto& t : tables)
        if (t)
            for (const TableSection& s : t->sections) all.push_back(&s);
    return all;
}

void Env::refreshSections() {
    section.fill(nullptr);
    sectionSize.fill(0);
    folder.clear();
    std::array<const TableSection*, kSectionKinds> from{};
    for (const auto& t : tables) {
        if (!t) continue;
        if (folder.empty()) folder = folderOf(t->path);
        for (const TableSection& s : t->sections) {
            const auto k = static_cast<size_t>(s.kind);
            if (k < kSectionKinds && !section[k]) {
                section[k] = s.data;
                sectionSize[k] = s.size;
                from[k] = &s;
            }
        }
    }
    // A trie is prepared again only when another table now provides it.
    auto refresh = [&](TrieView& view, std::shared_ptr<const uint8_t>& bytes, SectionKind kind) {
        const auto k = static_cast<size_t>(kind);
        if (view.data() == section[k] && view.valid()) return;
        view = TrieView();
        bytes.reset();
        if (!section[k]) return;
        view.attach(section[k], sectionSize[k]);
        bytes = from[k]->owner;
    };
    refresh(s2t, s2tBytes_, SectionKind::TrieS2T);
    refresh(t2s, t2sBytes_, SectionKind::TrieT2S);
}

Big5Tables Env::big5() const {
    return {static_cast<const uint16_t*>(section[static_cast<size_t>(SectionKind::Big5Decode)]),
            static_cast<const uint16_t*>(section[static_cast<size_t>(SectionKind::Big5Encode)])};
}

GbTables Env::gb() const {
    return {static_cast<const uint16_t*>(section[static_cast<size_t>(SectionKind::GbDecode)]),
            static_cast<const uint32_t*>(section[static_cast<size_t>(SectionKind::GbEncode)])};
}

int32_t Pct::load(const std::string& file) {
    std::string text;
    if (!readFile(file, text)) return TEZ_ERR_OPEN;
    std::vector<VocabItem> read;
    PctLayout readLayout;
    size_t unread = 0;
    if (!readPct(text, read, readLayout, unread)) return TEZ_ERR_FORMAT;
    items = std::move(read);
    layout = std::move(readLayout);
    unreadLines = unread;
    return unread ? TEZ_WARN_PARTIAL : TEZ_OK;
}

bool Pct::save(const std::string& target) {
    std::string text;
    if (!writePct(items, layout, text)) {
        // A term the file's own encoding cannot hold: the table goes to UTF-8, its unread
        // lines still as they were.
        std::vector<VocabItem> fresh = items;
        for (VocabItem& it : fresh) it.source.clear();
        PctLayout utf8 = layout;
        utf8.encoding = TableEncoding::Utf8;
        utf8.head.clear();
        if (!writePct(fresh, utf8, text)) return false;
    }
    if (!writeFileAtomic(target, text)) return false;
    if (target == path) {
        dirty = false;
        // What is on disk now is what later saves keep.
        std::vector<VocabItem> read;
        PctLayout readLayout;
        size_t unread = 0;
        if (readPct(text, read, readLayout, unread) && read.size() == items.size()) {
            items = std::move(read);
            layout = std::move(readLayout);
        }
    }
    return true;
}

}  // namespace tezc
