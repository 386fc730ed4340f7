// The library's C entries: argument checks, handles, and the calls into the engine.
#include "TezC.h"

#include "Convert.h"
#include "FileConvert.h"
#include "Objects.h"
#include "Rtf.h"
#include "Text8.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace tezc;

namespace {

Registry& reg() { return Registry::instance(); }

// Runs an entry that may change handles or tables, alone; no exception leaves the library.
template <typename F>
int32_t guarded(F&& f) {
    try {
        std::unique_lock lock(reg().mutex());
        return f();
    } catch (...) {
        return TEZ_ERR_ARG;
    }
}

// Runs a conversion on a statement: beside conversions on other statements, after the calls
// on the same one. f receives the statement (null when hStmt is none).
template <typename F>
int32_t converting(int32_t hStmt, F&& f) {
    try {
        std::shared_lock shared(reg().mutex());
        auto st = reg().get<Stmt>(hStmt, Kind::Stmt);
        if (!st) return f(std::shared_ptr<Stmt>());
        std::lock_guard own(*st->calls);
        // The list is changed only under the registry's lock held alone, and every change
        // moves the generation on.
        if (st->isClone && st->listGeneration != reg().generation()) {
            const auto owner = st->listOf.lock();
            st->list = owner ? owner->list : std::vector<int32_t>();
            st->listGeneration = reg().generation();
        }
        return f(st);
    } catch (...) {
        return TEZ_ERR_ARG;
    }
}

// Runs a fetch from a result, after the calls on the statement that owns it.
template <typename F>
int32_t fetching(int32_t hResult, F&& f) {
    try {
        std::shared_lock shared(reg().mutex());
        auto r = reg().get<Result>(hResult, Kind::Result);
        if (!r) return TEZ_ERR_HANDLE;
        std::unique_lock<std::mutex> own;
        if (r->calls) own = std::unique_lock(*r->calls);
        return f(*r);
    } catch (...) {
        return TEZ_ERR_ARG;
    }
}

// A statement whose vocabulary list the entry may read or change (no clone).
std::shared_ptr<Stmt> stmtOf(int32_t h) {
    auto st = reg().get<Stmt>(h, Kind::Stmt);
    return st && !st->isClone ? st : nullptr;
}
std::shared_ptr<Pct> pctOf(int32_t h) { return reg().get<Pct>(h, Kind::Pct); }

// A vocabulary table of the statement, kept in the file at path.
std::shared_ptr<Pct> newPct(const Stmt& st, std::string path) {
    auto pct = std::make_shared<Pct>();
    pct->env = st.env;
    pct->path = std::move(path);
    return pct;
}

// A place in s[0..limit) where a character surely starts: only a byte >= 0x81 starts a
// character longer than one byte, and none is longer than four, so the place after three
// bytes below 0x81 starts one. 0 when there is no such place.
size_t lastSureStart(std::string_view s, size_t limit) {
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    size_t singles = 0;
    for (size_t p = limit; p > 0; --p) {
        singles = b[p - 1] < 0x81 ? singles + 1 : 0;
        if (singles == 3) return p + 2;
    }
    return 0;
}

// Length of the prefix of a GB18030 or Big5 text that ends on a character boundary and
// is at most max bytes long (and never longer than the text, when its last character is
// cut off). Walking the characters from the last sure start before the limit finds the
// same boundaries as walking them from the text's start.
size_t dbcsPrefix(std::string_view s, size_t max) {
    const size_t limit = std::min(s.size(), max);
    size_t i = lastSureStart(s, limit);
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        size_t len = 1;
        if (b >= 0x81 && b <= 0xFE && i + 1 < s.size()) {
            const auto t = static_cast<unsigned char>(s[i + 1]);
            len = (t >= 0x30 && t <= 0x39) ? 4 : 2;
        }
        if (i + len > max) break;
        i += len;
    }
    return std::min(i, limit);
}

// Fills an 8-bit buffer of *len bytes: the text (cut on a character boundary), then NULs.
int32_t copyOut8(std::string_view text, char* buf, int32_t* len) {
    if (!buf || !len || *len <= 0) return TEZ_ERR_ARG;
    const size_t cap = static_cast<size_t>(*len);
    const size_t n = dbcsPrefix(text, cap - 1);
    std::memcpy(buf, text.data(), n);
    std::memset(buf + n, 0, cap - n);
    *len = static_cast<int32_t>(text.size());
    return TEZ_OK;
}

int32_t copyTerm(const Env* env, const std::u16string& term, char* buf, int32_t* len) {
    std::string gb;
    utf16ToGb(env, term, gb);
    return copyOut8(gb, buf, len);
}

// Both terms of an item into the caller's buffers.
int32_t termsOut(const Env* env, const std::u16string& tradTerm, const std::u16string& simpTerm, char* trad,
                 int32_t* tradLen, char* simp, int32_t* simpLen) {
    if (!trad || !tradLen || !simp || !simpLen || *tradLen <= 0 || *simpLen <= 0) return TEZ_ERR_ARG;
    copyTerm(env, tradTerm, trad, tradLen);
    copyTerm(env, simpTerm, simp, simpLen);
    return TEZ_OK;
}

// Position of the first NUL unit (n when there is none), sixteen and then eight units at a
// time.
size_t firstNul(const char16_t* s, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 8));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero))) != 0) break;
    }
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        if (const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(v, zero)))
            return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
    }
#endif
    while (i < n && s[i] != 0) ++i;
    return i;
}
size_t firstNul(const char* s, size_t n) {
    const void* nul = std::memchr(s, 0, n);
    return nul ? static_cast<size_t>(static_cast<const char*>(nul) - s) : n;
}

// Input text up to its first NUL inside the given length.
template <typename C>
std::basic_string_view<C> inputText(const C* text, int32_t len) {
    if (len <= 0 || !text) return {};
    return std::basic_string_view<C>(text, firstNul(text, static_cast<size_t>(len)));
}

bool nativePath(const Env* env, const char* gb, std::string& out) {
    if (!gb || !*gb) return false;
    // A backslash is a character of a file name here, never a folder separator.
    return gbToNative(env, gb, out);
}

// Tables keep absolute paths, so that a saved list finds them from any folder.
std::string absolutePath(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    std::error_code ec;
    const auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.string();
}


int32_t saveDirty(Pct& p) {
    if (!p.dirty) return TEZ_OK;
    return p.save(p.path) ? TEZ_OK : TEZ_ERR_WRITE;
}

void markChanged(Pct& p) {
    p.dirty = true;
    reg().touch();
}

int32_t addToList(Stmt& st, std::shared_ptr<Pct> pct) {
    const int32_t h = reg().add(std::move(pct));
    st.list.push_back(h);
    reg().touch();
    return h;
}

// Saves every changed table of the list. TEZ_ERR_WRITE when a save failed: that table
// keeps its changes, the others are saved.
int32_t saveAllDirty(Stmt& st) {
    int32_t rc = TEZ_OK;
    for (int32_t h : st.list)
        if (auto p = pctOf(h); p && saveDirty(*p) != TEZ_OK) rc = TEZ_ERR_WRITE;
    return rc;
}

// Unloads the list once every changed table is saved; when a save fails nothing is
// unloaded, so no change is lost and a later call can try again.
int32_t unloadAll(Stmt& st) {
    if (const int32_t rc = saveAllDirty(st); rc != TEZ_OK) return rc;
    for (int32_t h : st.list) reg().remove(h);
    st.list.clear();
    reg().touch();
    return TEZ_OK;
}

std::shared_ptr<Pct> extraTable(Stmt& st) {
    if (auto p = pctOf(st.extra)) return p;
    auto p = newPct(st, joinPath(st.env->folder, "TezExtra.pct"));
    p->load(p->path);
    p->status = 1;
    st.extra = reg().add(p);
    return p;
}

// Groups of items whose conversion in a direction is not one-to-one: one source term with
// several targets, or one target reached from several sources.
std::vector<std::vector<Hit>> detectGroups(Stmt& st, bool tradToSimp) {
    std::vector<Hit> items;
    for (int32_t h : st.list) {
        auto p = pctOf(h);
        if (!p || !(p->status & 1)) continue;
        for (size_t i = 0; i < p->items.size(); ++i) {
            const VocabItem& it = p->items[i];
            if (!(it.status & kItemInUse) || it.trad.empty() || it.simp.empty()) continue;
            // Items that hold only for the other direction take no part in this one.
            if (!(p->status & 2) && (it.status & (tradToSimp ? kItemS2TOnly : kItemT2SOnly))) continue;
            items.push_back(Hit{h, static_cast<int32_t>(i), it.status, it.trad, it.simp});
        }
    }
    std::vector<std::vector<Hit>> groups;
    std::set<std::vector<std::pair<int32_t, int32_t>>> seen;
    auto collect = [&](bool bySource) {
        const bool keyTrad = bySource == tradToSimp;
        std::map<std::u16string, std::vector<size_t>> byKey;
        std::vector<std::u16string> order;
        for (size_t i = 0; i < items.size(); ++i) {
            const std::u16string& key = keyTrad ? items[i].trad : items[i].simp;
            auto [it, fresh] = byKey.try_emplace(key);
            if (fresh) order.push_back(key);
            it->second.push_back(i);
        }
        for (const auto& key : order) {
            const auto& idx = byKey[key];
            std::set<std::u16string> others;
            for (size_t i : idx) others.insert(keyTrad ? items[i].simp : items[i].trad);
            if (others.size() < 2) continue;
            std::vector<std::pair<int32_t, int32_t>> ids;
            std::vector<Hit> group;
            for (size_t i : idx) {
                ids.emplace_back(items[i].pct, items[i].index);
                group.push_back(items[i]);
            }
            if (seen.insert(ids).second) groups.push_back(std::move(group));
        }
    };
    collect(true);
    collect(false);
    return groups;
}

// Runs the conversion of an entry that makes an 8-bit result: the result's bytes are
// emptied when it fails or throws.
template <typename F>
int32_t bytesResult(Result& result, F&& convert) {
    try {
        const int32_t rc = convert();
        if (rc != TEZ_OK) result.bytes.clear();
        return rc;
    } catch (...) {
        result.bytes.clear();
        throw;
    }
}

}  // namespace

extern "C" {

TEZC_API int32_t _TezCreateEnv(int32_t* hEnv) {
    return guarded([&]() -> int32_t {
        if (!hEnv) return TEZ_ERR_ARG;
        *hEnv = reg().add(std::make_shared<Env>());
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezCreateStmt(int32_t hEnv, int32_t* hStmt, int32_t n) {
    return guarded([&]() -> int32_t {
        auto env = reg().get<Env>(hEnv, Kind::Env);
        if (!env) return TEZ_ERR_HANDLE;
        if (!hStmt) return TEZ_ERR_ARG;
        auto st = std::make_shared<Stmt>();
        st->env = env;
        st->result = std::make_shared<Result>();
        st->result->env = env.get();
        st->result->calls = st->calls;
        reg().add(st->result);
        *hStmt = reg().add(st);
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezCloneStmt(int32_t hStmt, int32_t* hClone) {
    return guarded([&]() -> int32_t {
        auto owner = stmtOf(hStmt);
        if (!owner) return TEZ_ERR_HANDLE;
        if (!hClone) return TEZ_ERR_ARG;
        auto st = std::make_shared<Stmt>();
        st->env = owner->env;
        st->listOf = owner;
        st->isClone = true;
        st->outputIsNew = owner->outputIsNew;
        st->result = std::make_shared<Result>();
        st->result->env = st->env.get();
        st->result->calls = st->calls;
        reg().add(st->result);
        *hClone = reg().add(st);
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezSetFileOutput(int32_t hStmt, int32_t how) {
    return guarded([&]() -> int32_t {
        auto st = reg().get<Stmt>(hStmt, Kind::Stmt);
        if (!st) return TEZ_ERR_HANDLE;
        if (how != TEZ_OUTPUT_REPLACE && how != TEZ_OUTPUT_NEW) return TEZ_ERR_ARG;
        st->outputIsNew = how == TEZ_OUTPUT_NEW;
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezLoadCCT(int32_t hEnv, int32_t index, const char* path, int32_t, int32_t) {
    return guarded([&]() -> int32_t {
        auto env = reg().get<Env>(hEnv, Kind::Env);
        if (!env) return TEZ_ERR_HANDLE;
        if (index < 0 || index >= static_cast<int32_t>(cctRoles().size())) return TEZ_ERR_INDEX;
        std::string native;
        if (!nativePath(env.get(), path, native)) return TEZ_ERR_ARG;
        auto table = std::make_unique<LoadedTable>();
        switch (loadCct(native, static_cast<uint32_t>(index), env->loadedSections(), table->sections)) {
        case CctLoad::Unreadable: return TEZ_ERR_OPEN;
        case CctLoad::NotATable: return TEZ_ERR_FORMAT;
        case CctLoad::Loaded: break;
        }
        table->path = native;
        env->tables[static_cast<size_t>(index)] = std::move(table);
        env->refreshSections();
        reg().touch();
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezLoadLST(int32_t hStmt, const char* path) {
    return guarded([&]() -> int32_t {
        auto st = stmtOf(hStmt);
        if (!st) return TEZ_ERR_HANDLE;
        std::string native, text;
        if (!nativePath(st->env.get(), path, native)) return TEZ_ERR_ARG;
        if (!readFile(native, text)) return TEZ_ERR_OPEN;
        std::vector<ListEntry> entries;
        if (!parseLst(text, entries)) return TEZ_ERR_FORMAT;
        if (entries.size() > TEZ_MAX_USER_TABLES) return TEZ_ERR_LIMIT;
        if (const int32_t rc = unloadAll(*st); rc != TEZ_OK) return rc;
        int32_t rc = TEZ_OK;
        const std::string folder = folderOf(native);
        for (const ListEntry& e : entries) {
            const std::string& p = e.path;
            auto pct = newPct(*st, absolutePath(p.front() == '/' ? p : joinPath(folder, p)));
            const int32_t r = pct->load(pct->path);
            if (r != TEZ_OK && r != TEZ_WARN_PARTIAL) {
                if (rc == TEZ_OK) rc = r;
                continue;
            }
            pct->status = (e.status >= 0 && e.status <= 3) ? e.status : 0;
            addToList(*st, pct);
        }
        return rc;
    });
}

TEZC_API int32_t _TezSaveLST(int32_t hStmt, const char* path) {
    return guarded([&]() -> int32_t {
        auto st = stmtOf(hStmt);
        if (!st) return TEZ_ERR_HANDLE;
        std::string native;
        if (!nativePath(st->env.get(), path, native)) return TEZ_ERR_ARG;
        int32_t rc = TEZ_OK;
        const std::string folder = folderOf(absolutePath(native));
        std::vector<ListEntry> entries;
        for (int32_t h : st->list) {
            auto p = pctOf(h);
            if (!p) continue;
            if (saveDirty(*p) != TEZ_OK) rc = TEZ_ERR_WRITE;
            std::string stored = p->path;
            if (folderOf(p->path) == folder) stored = p->path.substr(p->path.find_last_of('/') + 1);
            entries.push_back(ListEntry{stored, p->status});
        }
        if (!writeFileAtomic(native, serializeLst(entries))) return TEZ_ERR_WRITE;
        return rc;
    });
}

TEZC_API int32_t _TezUnloadLST(int32_t hStmt) {
    return guarded([&]() -> int32_t {
        auto st = stmtOf(hStmt);
        if (!st) return TEZ_ERR_HANDLE;
        return unloadAll(*st);
    });
}

TEZC_API int32_t _TezGetPCTNum(int32_t hStmt, int32_t* count) {
    return guarded([&]() -> int32_t {
        auto st = stmtOf(hStmt);
        if (!st) return TEZ_ERR_HANDLE;
        if (!count) return TEZ_ERR_ARG;
        *count = static_cast<int32_t>(st->list.size());
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezGetPCT(int32_t hStmt, int32_t index, int32_t* hPct) {
    return guarded([&]() -> int32_t {
        auto st = stmtOf(hStmt);
        if (!st) return TEZ_ERR_HANDLE;
        if (!hPct) return TEZ_ERR_ARG;
        if (index == -1) {
            *hPct = extraTable(*st)->handle;
            return TEZ_OK;
        }
        if (index < 0 || index >= static_cast<int32_t>(st->list.size())) return TEZ_ERR_INDEX;
        *hPct = st->list[static_cast<size_t>(index)];
        return TEZ_OK;
    });
}

namespace {
// Checks what a table joining a statement's list needs: the statement, the out handle and
// a usable path (returned in native form).
int32_t checkJoiningTable(int32_t hStmt, const char* path, const int32_t* hPct,
                          std::shared_ptr<Stmt>& st, std::string& native) {
    st = stmtOf(hStmt);
    if (!st) return TEZ_ERR_HANDLE;
    if (!hPct) return TEZ_ERR_ARG;
    if (!nativePath(st->env.get(), path, native)) return TEZ_ERR_ARG;
    return TEZ_OK;
}
} // namespace

TEZC_API int32_t _TezLoadPCT(int32_t hStmt, const char* path, int32_t* hPct) {
    return guarded([&]() -> int32_t {
        std::shared_ptr<Stmt> st;
        std::string native;
        if (const int32_t rc = checkJoiningTable(hStmt, path, hPct, st, native); rc != TEZ_OK) return rc;
        if (st->list.size() >= TEZ_MAX_USER_TABLES) return TEZ_ERR_LIMIT;
        auto pct = newPct(*st, absolutePath(native));
        const int32_t rc = pct->load(native);
        if (rc != TEZ_OK && rc != TEZ_WARN_PARTIAL) return rc;
        pct->status = 1;
        *hPct = addToList(*st, pct);
        return rc;
    });
}

TEZC_API int32_t _TezNewPCT(int32_t hStmt, const char* path, int32_t* hPct) {
    return guarded([&]() -> int32_t {
        std::shared_ptr<Stmt> st;
        std::string native;
        if (const int32_t rc = checkJoiningTable(hStmt, path, hPct, st, native); rc != TEZ_OK) return rc;
        if (st->list.size() >= TEZ_MAX_USER_TABLES) return TEZ_WARN_PARTIAL;
        *hPct = addToList(*st, newPct(*st, absolutePath(native)));
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezSavePCT(int32_t hPct, const char* path, int32_t) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        std::string native = p->path;
        if (path && *path && !nativePath(p->env.get(), path, native)) return TEZ_ERR_ARG;
        return p->save(native) ? TEZ_OK : TEZ_ERR_WRITE;
    });
}

TEZC_API int32_t _TezUnloadPCT(int32_t hStmt, int32_t hPct) {
    return guarded([&]() -> int32_t {
        auto st = stmtOf(hStmt);
        auto p = pctOf(hPct);
        if (!st || !p) return TEZ_ERR_HANDLE;
        auto it = std::find(st->list.begin(), st->list.end(), hPct);
        if (it == st->list.end()) return TEZ_ERR_HANDLE;
        const int32_t rc = saveDirty(*p);
        if (rc != TEZ_OK) return rc;  // kept with its changes
        st->list.erase(it);
        reg().remove(hPct);
        reg().touch();
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPCTGetChanged(int32_t hPct, int32_t* changed) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (!changed) return TEZ_ERR_ARG;
        *changed = p->dirty ? 1 : 0;
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPCTGetBadLineNum(int32_t hPct, int32_t* count) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (!count) return TEZ_ERR_ARG;
        *count = static_cast<int32_t>(p->unreadLines);
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPCTGetPath(int32_t hPct, char* buf, int32_t* len) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        return copyOut8(nativeToGb(p->env.get(), p->path), buf, len);
    });
}

TEZC_API int32_t _TezGetPCTStatus(int32_t hPct, int32_t* status) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (!status) return TEZ_ERR_ARG;
        *status = p->status;
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezSetPCTStatus(int32_t hPct, int32_t status) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (status < 0 || status > 3) return TEZ_ERR_ARG;
        p->status = status;
        reg().touch();
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPCTGetItemNum(int32_t hPct, int32_t* count) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (!count) return TEZ_ERR_ARG;
        *count = static_cast<int32_t>(p->items.size());
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPCTGetItem(int32_t hPct, int32_t index, char* trad, int32_t* tradLen,
                                char* simp, int32_t* simpLen, int32_t* status) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (index < 0 || index >= static_cast<int32_t>(p->items.size())) return TEZ_ERR_INDEX;
        if (!status) return TEZ_ERR_ARG;
        const VocabItem& it = p->items[static_cast<size_t>(index)];
        if (int32_t rc = termsOut(p->env.get(), it.trad, it.simp, trad, tradLen, simp, simpLen); rc != TEZ_OK)
            return rc;
        *status = it.status;
        return TEZ_OK;
    });
}

namespace {
int32_t termsIn(const Pct& p, const char* trad, const char* simp, VocabItem& item) {
    if (!trad || !simp) return TEZ_ERR_ARG;
    const Env* env = p.env.get();
    if (!gbToUtf16(env, trad, item.trad) || !gbToUtf16(env, simp, item.simp))
        return TEZ_ERR_ENCODING;
    if (!isStorableTerm(item.trad) || !isStorableTerm(item.simp)) return TEZ_ERR_ARG;
    return TEZ_OK;
}
}  // namespace

TEZC_API int32_t _TezPCTInsertItem(int32_t hPct, int32_t index, const char* trad, const char* simp,
                                   int32_t status) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (index < 0 || index > static_cast<int32_t>(p->items.size())) return TEZ_ERR_INDEX;
        VocabItem item;
        if (int32_t rc = termsIn(*p, trad, simp, item); rc != TEZ_OK) return rc;
        item.status = status;
        p->items.insert(p->items.begin() + index, std::move(item));
        markChanged(*p);
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPCTModifyItem(int32_t hPct, int32_t index, const char* trad, const char* simp) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (index < 0 || index >= static_cast<int32_t>(p->items.size())) return TEZ_ERR_INDEX;
        VocabItem item;
        if (int32_t rc = termsIn(*p, trad, simp, item); rc != TEZ_OK) return rc;
        VocabItem& dst = p->items[static_cast<size_t>(index)];
        dst.trad = std::move(item.trad);
        dst.simp = std::move(item.simp);
        dst.source.clear();
        markChanged(*p);
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPCTEnableItem(int32_t hPct, int32_t index, int32_t enable) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (index < 0 || index >= static_cast<int32_t>(p->items.size())) return TEZ_ERR_INDEX;
        VocabItem& it = p->items[static_cast<size_t>(index)];
        const int32_t was = it.status;
        it.status = enable ? (was | kItemInUse) : (was & ~kItemInUse);
        if (it.status == was) return TEZ_OK;
        it.source.clear();
        markChanged(*p);
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPCTDelItem(int32_t hPct, int32_t index, int32_t count) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        const int64_t n = static_cast<int64_t>(p->items.size());
        if (index < 0 || count < 1 || int64_t(index) + count > n) return TEZ_ERR_INDEX;
        // Unread lines among the erased items stay, before the next item.
        std::string kept;
        for (int32_t i = index; i < index + count; ++i) kept += p->items[static_cast<size_t>(i)].keptBefore;
        if (int64_t(index) + count < n) p->items[static_cast<size_t>(index + count)].keptBefore.insert(0, kept);
        else p->layout.keptAfter.insert(0, kept);
        p->items.erase(p->items.begin() + index, p->items.begin() + index + count);
        markChanged(*p);
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPCTImport(int32_t hPct, int32_t position, const char* path, int32_t* count) {
    return guarded([&]() -> int32_t {
        auto p = pctOf(hPct);
        if (!p) return TEZ_ERR_HANDLE;
        if (position < 0 || position > static_cast<int32_t>(p->items.size())) return TEZ_ERR_INDEX;
        std::string native;
        if (!nativePath(p->env.get(), path, native)) return TEZ_ERR_ARG;
        Pct source;
        const int32_t rc = source.load(native);
        if (rc != TEZ_OK && rc != TEZ_WARN_PARTIAL) return rc;
        std::vector<VocabItem>& items = source.items;
        for (VocabItem& it : items) forgetSource(it);
        p->items.insert(p->items.begin() + position, items.begin(), items.end());
        if (count) *count = static_cast<int32_t>(items.size());
        if (!items.empty()) markChanged(*p);
        return TEZ_OK;
    });
}

// ---- string conversion ----

namespace {

struct Prepared {
    std::shared_ptr<Stmt> st;
    Result* result = nullptr;
};

// Checks a string conversion's arguments and empties the statement's result, which is to
// hold UTF-16 text (unicode) or 8-bit text.
int32_t prepare(std::shared_ptr<Stmt> st, int32_t len, const void* text, int32_t mode, int32_t* hResult,
                bool unicode, Prepared& p) {
    p.st = std::move(st);
    if (!p.st) return TEZ_ERR_HANDLE;
    if (!hResult || len < 0 || (len > 0 && !text) || mode < 0 || mode > 3) return TEZ_ERR_ARG;
    p.result = p.st->result.get();
    p.result->clear();
    p.result->unicode = unicode;
    *hResult = p.result->handle;
    return TEZ_OK;
}

Script sourceScriptOfMode(int32_t mode) { return (mode == 1 || mode == 2) ? Script::Traditional : Script::Simplified; }
Script targetScriptOfMode(int32_t mode) { return (mode == 0 || mode == 2) ? Script::Traditional : Script::Simplified; }

// Keeps the text as the 8-bit result, in the code page of the mode's target script.
int32_t storeBytes(Result& result, int32_t mode, std::u16string_view text) {
    const Script to = targetScriptOfMode(mode);
    result.bytesAreBig5 = to == Script::Traditional;
    return encode8(*result.env, to, text, result.bytes) ? TEZ_OK : TEZ_ERR_NOTABLE;
}

}  // namespace

namespace {
// The statement's result text after an entry that makes a UTF-16 result: emptied on failure.
int32_t textResult(Result& result, int32_t rc) {
    if (rc != TEZ_OK) result.text.clear();
    return rc;
}
}  // namespace

TEZC_API int32_t _TezConvertStringUU(int32_t hStmt, const char16_t* text, int32_t len, int32_t mode,
                                     int32_t flag, int32_t* hResult) {
    return converting(hStmt, [&](std::shared_ptr<Stmt> st) -> int32_t {
        Prepared p;
        if (int32_t rc = prepare(std::move(st), len, text, mode, hResult, true, p); rc != TEZ_OK) return rc;
        return textResult(*p.result, runTextOp(*p.st, textOpForMode(mode, flag), inputText(text, len), p.result->text));
    });
}

TEZC_API int32_t _TezConvertStringUD(int32_t hStmt, const char16_t* text, int32_t len, int32_t mode,
                                     int32_t flag, int32_t* hResult) {
    return converting(hStmt, [&](std::shared_ptr<Stmt> st) -> int32_t {
        Prepared p;
        if (int32_t rc = prepare(std::move(st), len, text, mode, hResult, false, p); rc != TEZ_OK) return rc;
        return bytesResult(*p.result, [&]() -> int32_t {
            const std::u16string_view in = inputText(text, len);
            std::u16string& converted = p.st->scratchOut;
            std::u16string_view out = in;
            if (mode <= 1) {
                if (int32_t rc = runTextOp(*p.st, textOpForMode(mode, flag), in, converted); rc != TEZ_OK) return rc;
                out = converted;
            }
            return storeBytes(*p.result, mode, out);
        });
    });
}

TEZC_API int32_t _TezConvertStringDU(int32_t hStmt, const char* text, int32_t len, int32_t mode,
                                     int32_t flag, int32_t* hResult) {
    return converting(hStmt, [&](std::shared_ptr<Stmt> st) -> int32_t {
        Prepared p;
        if (int32_t rc = prepare(std::move(st), len, text, mode, hResult, true, p); rc != TEZ_OK) return rc;
        std::u16string& decoded = p.st->scratchIn;
        if (!decode8(*p.st->env, sourceScriptOfMode(mode), inputText(text, len), decoded))
            return textResult(*p.result, TEZ_ERR_NOTABLE);
        if (mode >= 2) {
            // The decoded text becomes the result; the old result's buffer serves the next call.
            p.result->text.swap(decoded);
            return TEZ_OK;
        }
        return textResult(*p.result, runTextOp(*p.st, textOpForMode(mode, flag), decoded, p.result->text));
    });
}

TEZC_API int32_t _TezConvertStringDD(int32_t hStmt, const char* text, int32_t len, int32_t mode,
                                     int32_t flag, int32_t* hResult) {
    return converting(hStmt, [&](std::shared_ptr<Stmt> st) -> int32_t {
        Prepared p;
        if (int32_t rc = prepare(std::move(st), len, text, mode, hResult, false, p); rc != TEZ_OK) return rc;
        return bytesResult(*p.result, [&]() -> int32_t {
            std::u16string& decoded = p.st->scratchIn;
            std::u16string& converted = p.st->scratchOut;
            if (!decode8(*p.st->env, sourceScriptOfMode(mode), inputText(text, len), decoded)) return TEZ_ERR_NOTABLE;
            if (int32_t rc = runTextOp(*p.st, textOpForMode(mode, flag, Family::Dbcs), decoded, converted);
                rc != TEZ_OK)
                return rc;
            return storeBytes(*p.result, mode, converted);
        });
    });
}

extern "C++" namespace {

// A result read through either fetch pair: the other form is made on demand.
void prepareOther(Result& r) {
    if (r.otherReady) return;
    r.otherReady = true;
    if (r.unicode) {
        if (!r.env || !encode8(*r.env, Script::Simplified, r.text, r.otherBytes)) encodeUtf8(r.text, r.otherBytes);
    } else if (!r.env || !decode8(*r.env, r.bytesAreBig5 ? Script::Traditional : Script::Simplified, r.bytes,
                                  r.otherText)) {
        decodeUtf8(r.bytes, r.otherText);
    }
}

const std::u16string& uniOf(Result& r) {
    if (r.unicode) return r.text;
    prepareOther(r);
    return r.otherText;
}

const std::string& bytesOf(Result& r) {
    if (!r.unicode) return r.bytes;
    prepareOther(r);
    return r.otherBytes;
}

}  // namespace

TEZC_API int32_t _TezGetUniLen(int32_t hResult) {
    return fetching(hResult, [&](Result& r) -> int32_t {
        return static_cast<int32_t>(std::min<size_t>(uniOf(r).size(), INT32_MAX));
    });
}

TEZC_API int32_t _TezGetUniStr(int32_t hResult, char16_t* buf, int32_t n) {
    return fetching(hResult, [&](Result& r) -> int32_t {
        if (n < 0 || (n > 0 && !buf)) return TEZ_ERR_ARG;
        const std::u16string& text = uniOf(r);
        const size_t count = std::min(static_cast<size_t>(n), text.size());
        if (count) std::memcpy(buf, text.data(), count * sizeof(char16_t));
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezGetDBLen(int32_t hResult) {
    return fetching(hResult, [&](Result& r) -> int32_t {
        return static_cast<int32_t>(std::min<size_t>(bytesOf(r).size(), INT32_MAX));
    });
}

TEZC_API int32_t _TezGetDBStr(int32_t hResult, char* buf, int32_t n) {
    return fetching(hResult, [&](Result& r) -> int32_t {
        if (n < 0 || !buf) return TEZ_ERR_ARG;
        const std::string& bytes = bytesOf(r);
        const size_t count = dbcsPrefix(bytes, static_cast<size_t>(n));
        std::memcpy(buf, bytes.data(), count);
        buf[count] = '\0';
        return TEZ_OK;
    });
}

// ---- files ----

TEZC_API int32_t _TezFileConversion(int32_t hStmt, const char* in, const char* out, int32_t type,
                                    int32_t phraseMode, int32_t flag) {
    return converting(hStmt, [&](std::shared_ptr<Stmt> st) -> int32_t {
        if (!st) return TEZ_ERR_HANDLE;
        if (type < 0 || type > 15 || phraseMode < 0 || phraseMode > 3) return TEZ_ERR_ARG;
        std::string inPath, outPath;
        if (!nativePath(st->env.get(), in, inPath) || !nativePath(st->env.get(), out, outPath))
            return TEZ_ERR_ARG;
        return convertFile(*st, inPath, outPath, type, phraseMode, flag);
    });
}

TEZC_API int32_t _ConvertStringForRTFFileEx(int32_t hStmt, const char* in, const char* out, int32_t mode,
                                            int32_t flags) {
    return converting(hStmt, [&](std::shared_ptr<Stmt> st) -> int32_t {
        if (!st) return TEZ_ERR_HANDLE;
        if (mode < 0 || mode > 3) return TEZ_ERR_ARG;
        std::string inPath, outPath;
        if (!nativePath(st->env.get(), in, inPath) || !nativePath(st->env.get(), out, outPath))
            return TEZ_ERR_ARG;
        return convertRtfFile(*st, inPath, outPath, mode, flags);
    });
}

// ---- phrase search and ambiguity detection ----

TEZC_API int32_t _TezPhraseSearch(int32_t hStmt, const char* term, int32_t* hSearch) {
    return guarded([&]() -> int32_t {
        auto st = stmtOf(hStmt);
        if (!st) return TEZ_ERR_HANDLE;
        if (!term || !hSearch) return TEZ_ERR_ARG;
        std::u16string needle;
        if (!gbToUtf16(st->env.get(), term, needle)) return TEZ_ERR_ENCODING;
        auto s = std::make_shared<Search>();
        s->env = st->env;
        if (!needle.empty()) {
            for (int32_t h : st->list) {
                auto p = pctOf(h);
                if (!p) continue;
                for (size_t i = 0; i < p->items.size(); ++i) {
                    const VocabItem& it = p->items[i];
                    if (it.trad.find(needle) != std::u16string::npos ||
                        it.simp.find(needle) != std::u16string::npos)
                        s->hits.push_back(Hit{h, static_cast<int32_t>(i), it.status, it.trad, it.simp});
                }
            }
        }
        reg().remove(st->search);
        st->search = reg().add(s);
        *hSearch = st->search;
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezPhraseSearchTotalPhraseNum(int32_t hSearch, int32_t* count) {
    return guarded([&]() -> int32_t {
        auto s = reg().get<Search>(hSearch, Kind::Search);
        if (!s) return TEZ_ERR_HANDLE;
        if (!count) return TEZ_ERR_ARG;
        *count = static_cast<int32_t>(s->hits.size());
        return TEZ_OK;
    });
}

namespace {
int32_t hitOut(const Env* env, const Hit& hit, int32_t* hPct, int32_t* index, int32_t* status, char* trad,
               int32_t* tradLen, char* simp, int32_t* simpLen) {
    if (!hPct || !index || !status) return TEZ_ERR_ARG;
    if (int32_t rc = termsOut(env, hit.trad, hit.simp, trad, tradLen, simp, simpLen); rc != TEZ_OK)
        return rc;
    *hPct = hit.pct;
    *index = hit.index;
    *status = hit.status;
    return TEZ_OK;
}
}  // namespace

TEZC_API int32_t _TezPhraseSearchGetPhrase(int32_t hSearch, int32_t hit, int32_t* hPct, int32_t* index,
                                           int32_t* status, char* trad, int32_t* tradLen, char* simp,
                                           int32_t* simpLen) {
    return guarded([&]() -> int32_t {
        auto s = reg().get<Search>(hSearch, Kind::Search);
        if (!s) return TEZ_ERR_HANDLE;
        if (hit < 0 || hit >= static_cast<int32_t>(s->hits.size())) return TEZ_ERR_INDEX;
        return hitOut(s->env.get(), s->hits[static_cast<size_t>(hit)], hPct, index, status, trad, tradLen, simp, simpLen);
    });
}

TEZC_API int32_t _TezAmbiguousDetect(int32_t hStmt, int32_t direction, int32_t* hAmbiguous) {
    return guarded([&]() -> int32_t {
        auto st = stmtOf(hStmt);
        if (!st) return TEZ_ERR_HANDLE;
        if (!hAmbiguous) return TEZ_ERR_ARG;
        auto a = std::make_shared<Ambiguous>();
        a->env = st->env;
        a->groups = detectGroups(*st, direction != 0);
        reg().remove(st->ambiguous);
        st->ambiguous = reg().add(a);
        *hAmbiguous = st->ambiguous;
        return TEZ_OK;
    });
}

TEZC_API int32_t _TezAmbiguousTotalSetNum(int32_t hAmbiguous, int32_t* groups) {
    return guarded([&]() -> int32_t {
        auto a = reg().get<Ambiguous>(hAmbiguous, Kind::Ambiguous);
        if (!a) return TEZ_ERR_HANDLE;
        const auto n = static_cast<int32_t>(a->groups.size());
        if (groups) *groups = n;
        return n;
    });
}

TEZC_API int32_t _TezAmbiguousTotalPhraseNum(int32_t hAmbiguous, int32_t* entries) {
    return guarded([&]() -> int32_t {
        auto a = reg().get<Ambiguous>(hAmbiguous, Kind::Ambiguous);
        if (!a) return TEZ_ERR_HANDLE;
        size_t total = 0;
        for (const auto& g : a->groups) total += g.size();
        const auto n = static_cast<int32_t>(total);
        if (entries) *entries = n;
        return n;
    });
}

TEZC_API int32_t _TezAmbiguousGetSetItemCount(int32_t hAmbiguous, int32_t group, int32_t* entries) {
    return guarded([&]() -> int32_t {
        auto a = reg().get<Ambiguous>(hAmbiguous, Kind::Ambiguous);
        if (!a) return TEZ_ERR_HANDLE;
        if (group < 0 || group >= static_cast<int32_t>(a->groups.size())) return TEZ_ERR_INDEX;
        const auto n = static_cast<int32_t>(a->groups[static_cast<size_t>(group)].size());
        if (entries) *entries = n;
        return n;
    });
}

TEZC_API int32_t _TezAmbiguousGetPhrase(int32_t hAmbiguous, int32_t group, int32_t entry, int32_t* hPct,
                                        int32_t* index, int32_t* status, char* trad, int32_t* tradLen,
                                        char* simp, int32_t* simpLen) {
    return guarded([&]() -> int32_t {
        auto a = reg().get<Ambiguous>(hAmbiguous, Kind::Ambiguous);
        if (!a) return TEZ_ERR_HANDLE;
        if (group < 0 || group >= static_cast<int32_t>(a->groups.size())) return TEZ_ERR_INDEX;
        const auto& g = a->groups[static_cast<size_t>(group)];
        if (entry < 0 || entry >= static_cast<int32_t>(g.size())) return TEZ_ERR_INDEX;
        return hitOut(a->env.get(), g[static_cast<size_t>(entry)], hPct, index, status, trad, tradLen, simp, simpLen);
    });
}

}  // extern "C"
