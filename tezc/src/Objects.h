#pragma once
// The objects behind the library's handles: environment (conversion tables), statement
// (vocabulary table list, result, cached vocabulary matchers), vocabulary table, result,
// phrase search and ambiguity detection results.
#include "CodePage.h"
#include "FileIo.h"
#include "PctFormat.h"
#include "ReadMostlyMutex.h"
#include "TableFile.h"
#include "Trie.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace tezc {

enum class Kind { Env, Stmt, Pct, Result, Search, Ambiguous };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    Kind kind;
    int32_t handle = 0;
};

struct LoadedTable {
    std::vector<TableSection> sections;
    std::string path;
};

struct Env : Object {
    Env() : Object(Kind::Env) {}
    std::array<std::unique_ptr<LoadedTable>, 10> tables;
    // Sections found in the loaded tables, lowest table index first.
    std::array<const void*, kSectionKinds> section{};
    std::array<size_t, kSectionKinds> sectionSize{};
    TrieView s2t, t2s;
    std::string folder;  // folder of the first loaded table (the program folder)
    // Every section of the loaded tables, for a table loaded next to share.
    std::vector<const TableSection*> loadedSections() const;
    void refreshSections();
    Big5Tables big5() const;
    GbTables gb() const;

private:
    // The bytes s2t and t2s were prepared from, kept while they are in use: the same
    // address then always means the same bytes.
    std::shared_ptr<const uint8_t> s2tBytes_, t2sBytes_;
};

struct Pct : Object {
    Pct() : Object(Kind::Pct) {}
    std::string path;  // native (UTF-8) file path
    std::vector<VocabItem> items;
    PctLayout layout;
    int32_t status = 0;
    bool dirty = false;
    size_t unreadLines = 0;  // lines of the file that are no item, kept as they were
    std::shared_ptr<Env> env;  // of the statement that opened it: terms and paths cross through its code pages
    // Reads the table file; 0, TEZ_WARN_PARTIAL (lines kept unread) or an error code.
    int32_t load(const std::string& file);
    bool save(const std::string& target);
};

struct Result : Object {
    Result() : Object(Kind::Result) {}
    bool unicode = true;
    bool bytesAreBig5 = false;  // an 8-bit result: Big5 (else GB18030)
    std::u16string text;
    std::string bytes;
    // The result in the other form, made when it is fetched that way: a UTF-16 result as
    // GB18030 bytes, an 8-bit result decoded to UTF-16.
    bool otherReady = false;
    std::u16string otherText;
    std::string otherBytes;
    const Env* env = nullptr;
    // The lock of the statement that owns the result: taken by its conversions and fetches.
    std::shared_ptr<std::mutex> calls;
    // Empties the result for the next conversion. The UTF-16 text and the 8-bit bytes keep
    // their length: a conversion overwrites them in place (without clearing memory first)
    // and gives them their new length; every entry that fails afterwards empties its own.
    void clear() {
        otherText.clear();
        otherBytes.clear();
        otherReady = false;
    }
};

struct Hit {
    int32_t pct = 0;
    int32_t index = 0;
    int32_t status = 0;
    std::u16string trad, simp;
};

// Results that give out items: their terms cross through the code pages of env, the
// environment of the statement that made them.
struct Search : Object {
    Search() : Object(Kind::Search) {}
    std::shared_ptr<Env> env;
    std::vector<Hit> hits;
};

struct Ambiguous : Object {
    Ambiguous() : Object(Kind::Ambiguous) {}
    std::shared_ptr<Env> env;
    std::vector<std::vector<Hit>> groups;
};

// Vocabulary matchers built from the in-use tables, one per conversion kind.
enum class Overlay {
    S2TVocab, S2TProtect, T2SVocab, T2SProtect,
    TradTowardTrad, TradTowardSimp, SimpTowardTrad, SimpTowardSimp, Count
};

struct CachedOverlay {
    uint64_t generation = ~uint64_t(0);
    PageWords storage;
    TrieView view;  // not valid when no item applies
};

// What each unit is to all matchers of one script conversion at once (built by
// Convert.cpp, see unitsFor there): lets most units be written after one look-up.
struct ScriptUnits {
    std::array<const void*, 5> key{};  // the matchers it was built for
    uint64_t generation = ~uint64_t(0);
    // 65536 words: what the unit is to the matchers (low half) and its root entry in the
    // code table (high half), so that a walk from it needs no other look-up to begin.
    PageWords info;
    // The low halves of info alone, which the decisions over blocks of text read: in half
    // the cache lines.
    std::vector<uint32_t> blockInfo;
    // Pairs that may begin a longer key, by TrieView::pairHash(c, d) >> pairShift, and
    // where a key of two or more units may begin: the pairs that are keys, by
    // TrieView::pairHash(c, d) >> pairKeyShift, and the first three units of the longer keys,
    // by TrieView::tripleHash(c, d, e) >> tripleShift; each folded down from the matchers'
    // bitmaps while it stays sparse, so that it stays in cache.
    PageWords pairs, pairKeys, triples;
    int pairShift = 0, pairKeyShift = 0, tripleShift = 0;
    // Root entries of the vocabulary matchers (segment, inner) for the units their keys start
    // with, in a small open-addressing table: unit << 48 | segment entry << 24 | inner entry.
    std::vector<uint64_t> vocabRoots;
    int vocabShift = 64;
    // The ASCII units that are not their own one-unit piece, when there are at most eight
    // (unused places hold a unit that is no ASCII); asciiBlocks is false when there are more.
    std::array<char16_t, 8> asciiKeys{};
    bool asciiBlocks = false;
};

struct Stmt : Object {
    Stmt() : Object(Kind::Stmt) {}
    std::shared_ptr<Env> env;
    std::vector<int32_t> list;  // vocabulary tables in priority order
    std::shared_ptr<Result> result;
    int32_t search = 0, ambiguous = 0, extra = 0;
    std::array<CachedOverlay, static_cast<size_t>(Overlay::Count)> overlays;
    std::array<ScriptUnits, 2> scriptUnits;  // toward Traditional, toward Simplified
    // Working texts of the string entries, kept so that a conversion allocates nothing
    // once they are large enough.
    std::u16string scratchIn, scratchOut;
    // Taken by every conversion on the statement and every fetch of its result, so that
    // calls on different statements run at the same time and calls on one do not mix.
    std::shared_ptr<std::mutex> calls = std::make_shared<std::mutex>();
    // A clone converts with the vocabulary list of the statement it was made from, taken
    // afresh at a call after any change of the tables (listGeneration: the registry's
    // generation it was taken at); it has no list of its own.
    std::weak_ptr<Stmt> listOf;
    bool isClone = false;
    uint64_t listGeneration = 0;
    // Whether file conversions write their output as a new file that the caller makes
    // durable and moves into place (TEZ_OUTPUT_NEW), instead of replacing it safely.
    bool outputIsNew = false;
};

// Handle registry. Conversions and fetches hold its lock shared (with their statement's own
// lock): handles, tables and vocabulary lists stay as they are while they run. Every other
// entry holds it alone for its whole run.
class Registry {
public:
    static Registry& instance();
    ReadMostlyMutex& mutex() { return mutex_; }
    int32_t add(std::shared_ptr<Object> obj);
    void remove(int32_t handle);
    template <typename T>
    std::shared_ptr<T> get(int32_t handle, Kind kind) {
        if (handle <= 0) return nullptr;
        auto it = objects_.find(handle);
        if (it == objects_.end() || it->second->kind != kind) return nullptr;
        return std::static_pointer_cast<T>(it->second);
    }
    // Bumped by every change that affects vocabulary conversion.
    uint64_t generation() const { return generation_; }
    void touch() { ++generation_; }

private:
    ReadMostlyMutex mutex_;
    std::unordered_map<int32_t, std::shared_ptr<Object>> objects_;
    int32_t next_ = 0x1000;
    uint64_t generation_ = 1;
};

}  // namespace tezc
