#include "core/mTezC.h"

#include "core/Err.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

int32_t ghEnv = 0;
int32_t ghStmt = 0;
int32_t ghResult = 0;
int32_t ghTmpPCT = 0;
int32_t ghPhraseSearch = 0;
int32_t ghAmbiguous = 0;

namespace {

const char* const kLibraryName = kTezLibraryName;

// Opens the library once; on failure returns null and says why (the reason of the first
// candidate that exists and could not be loaded, else that the library was found nowhere).
void* tryOpenLibrary(QString* why) {
    static void* handle = nullptr;
    if (handle) return handle;
    QStringList candidates;
    const QString envDir = qEnvironmentVariable("TEZDESK_LIB_DIR");
    if (!envDir.isEmpty()) candidates << QDir(envDir).filePath(QString::fromLatin1(kLibraryName));
    if (QCoreApplication::instance())
        for (const char* folder : {"../lib/", "../lib/tezdesk/"}) // the build tree, an installation
            candidates << QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(folder) + QLatin1String(kLibraryName));
    QString firstFailure;
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path)) continue;
        handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (handle) return handle;
        if (firstFailure.isEmpty()) firstFailure = QString::fromLocal8Bit(dlerror());
    }
    handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (handle) return handle;
    const QString systemFailure = QString::fromLocal8Bit(dlerror());
    if (why) *why = firstFailure.isEmpty() ? systemFailure : firstFailure;
    return nullptr;
}

void* openLibrary() {
    QString why;
    void* handle = tryOpenLibrary(&why);
    if (!handle)
        throw RuntimeError(errDllLoad, QStringLiteral("File not found: TezC (") + why + QStringLiteral(")"));
    return handle;
}

// The entry's address; raises the failure of a missing library or entry.
template <typename F>
F bindEntry(const char* name) {
    void* lib = openLibrary();
    void* sym = dlsym(lib, name);
    if (!sym)
        throw RuntimeError(errDllEntry, QStringLiteral("Can't find DLL entry point %1 in TezC").arg(QString::fromLatin1(name)));
    return reinterpret_cast<F>(sym);
}

}  // namespace

QString TezLibraryLoadError() {
    QString why;
    return tryOpenLibrary(&why) ? QString() : why;
}

// Each entry is looked up at its first call; a failed look-up is tried again next time.
#define TEZ_BIND(name, params, args)                                  \
    int32_t name params {                                             \
        using Fn = int32_t(*) params;                                 \
        static Fn fn = bindEntry<Fn>(#name);                          \
        return fn args;                                               \
    }

TEZ_BIND(_TezCreateEnv, (int32_t* hEnv), (hEnv))
TEZ_BIND(_TezCreateStmt, (int32_t hEnv, int32_t* hStmt, int32_t n), (hEnv, hStmt, n))
TEZ_BIND(_TezCloneStmt, (int32_t hStmt, int32_t* hClone), (hStmt, hClone))
TEZ_BIND(_TezSetFileOutput, (int32_t hStmt, int32_t how), (hStmt, how))
TEZ_BIND(_TezLoadCCT, (int32_t hEnv, int32_t index, const char* path, int32_t a, int32_t b), (hEnv, index, path, a, b))
TEZ_BIND(_TezLoadLST, (int32_t hStmt, const char* path), (hStmt, path))
TEZ_BIND(_TezSaveLST, (int32_t hStmt, const char* path), (hStmt, path))
TEZ_BIND(_TezUnloadLST, (int32_t hStmt), (hStmt))
TEZ_BIND(_TezGetPCTNum, (int32_t hStmt, int32_t* count), (hStmt, count))
TEZ_BIND(_TezGetPCT, (int32_t hStmt, int32_t index, int32_t* hPct), (hStmt, index, hPct))
TEZ_BIND(_TezLoadPCT, (int32_t hStmt, const char* path, int32_t* hPct), (hStmt, path, hPct))
TEZ_BIND(_TezNewPCT, (int32_t hStmt, const char* path, int32_t* hPct), (hStmt, path, hPct))
TEZ_BIND(_TezSavePCT, (int32_t hPct, const char* path, int32_t flag), (hPct, path, flag))
TEZ_BIND(_TezUnloadPCT, (int32_t hStmt, int32_t hPct), (hStmt, hPct))
TEZ_BIND(_TezPCTGetChanged, (int32_t hPct, int32_t* changed), (hPct, changed))
TEZ_BIND(_TezPCTGetBadLineNum, (int32_t hPct, int32_t* count), (hPct, count))
TEZ_BIND(_TezPCTGetPath, (int32_t hPct, char* buf, int32_t* len), (hPct, buf, len))
TEZ_BIND(_TezGetPCTStatus, (int32_t hPct, int32_t* status), (hPct, status))
TEZ_BIND(_TezSetPCTStatus, (int32_t hPct, int32_t status), (hPct, status))
TEZ_BIND(_TezPCTGetItemNum, (int32_t hPct, int32_t* count), (hPct, count))
TEZ_BIND(_TezPCTGetItem,
         (int32_t hPct, int32_t index, char* trad, int32_t* tradLen, char* simp, int32_t* simpLen, int32_t* status),
         (hPct, index, trad, tradLen, simp, simpLen, status))
TEZ_BIND(_TezPCTInsertItem, (int32_t hPct, int32_t index, const char* trad, const char* simp, int32_t status),
         (hPct, index, trad, simp, status))
TEZ_BIND(_TezPCTModifyItem, (int32_t hPct, int32_t index, const char* trad, const char* simp),
         (hPct, index, trad, simp))
TEZ_BIND(_TezPCTEnableItem, (int32_t hPct, int32_t index, int32_t enable), (hPct, index, enable))
TEZ_BIND(_TezPCTDelItem, (int32_t hPct, int32_t index, int32_t count), (hPct, index, count))
TEZ_BIND(_TezPCTImport, (int32_t hPct, int32_t position, const char* path, int32_t* count),
         (hPct, position, path, count))
int32_t TezPCTBadLineCount(int32_t) { return 0; }

TEZ_BIND(_TezConvertStringUU,
         (int32_t hStmt, const char16_t* text, int32_t len, int32_t mode, int32_t flag, int32_t* hResult),
         (hStmt, text, len, mode, flag, hResult))
TEZ_BIND(_TezConvertStringUD,
         (int32_t hStmt, const char16_t* text, int32_t len, int32_t mode, int32_t flag, int32_t* hResult),
         (hStmt, text, len, mode, flag, hResult))
TEZ_BIND(_TezConvertStringDU,
         (int32_t hStmt, const char* text, int32_t len, int32_t mode, int32_t flag, int32_t* hResult),
         (hStmt, text, len, mode, flag, hResult))
TEZ_BIND(_TezConvertStringDD,
         (int32_t hStmt, const char* text, int32_t len, int32_t mode, int32_t flag, int32_t* hResult),
         (hStmt, text, len, mode, flag, hResult))
TEZ_BIND(_TezGetUniLen, (int32_t hResult), (hResult))
TEZ_BIND(_TezGetUniStr, (int32_t hResult, char16_t* buf, int32_t n), (hResult, buf, n))
TEZ_BIND(_TezGetDBLen, (int32_t hResult), (hResult))
TEZ_BIND(_TezGetDBStr, (int32_t hResult, char* buf, int32_t n), (hResult, buf, n))
TEZ_BIND(_TezFileConversion,
         (int32_t hStmt, const char* in, const char* out, int32_t type, int32_t phraseMode, int32_t flag),
         (hStmt, in, out, type, phraseMode, flag))
TEZ_BIND(_ConvertStringForRTFFileEx, (int32_t hStmt, const char* in, const char* out, int32_t mode, int32_t flags),
         (hStmt, in, out, mode, flags))
TEZ_BIND(_TezPhraseSearch, (int32_t hStmt, const char* term, int32_t* hSearch), (hStmt, term, hSearch))
TEZ_BIND(_TezPhraseSearchTotalPhraseNum, (int32_t hSearch, int32_t* count), (hSearch, count))
TEZ_BIND(_TezPhraseSearchGetPhrase,
         (int32_t hSearch, int32_t hit, int32_t* hPct, int32_t* index, int32_t* status, char* trad,
          int32_t* tradLen, char* simp, int32_t* simpLen),
         (hSearch, hit, hPct, index, status, trad, tradLen, simp, simpLen))
TEZ_BIND(_TezAmbiguousDetect, (int32_t hStmt, int32_t direction, int32_t* hAmbiguous), (hStmt, direction, hAmbiguous))
TEZ_BIND(_TezAmbiguousTotalSetNum, (int32_t hAmbiguous, int32_t* groups), (hAmbiguous, groups))
TEZ_BIND(_TezAmbiguousTotalPhraseNum, (int32_t hAmbiguous, int32_t* entries), (hAmbiguous, entries))
TEZ_BIND(_TezAmbiguousGetSetItemCount, (int32_t hAmbiguous, int32_t group, int32_t* entries),
         (hAmbiguous, group, entries))
TEZ_BIND(_TezAmbiguousGetPhrase,
         (int32_t hAmbiguous, int32_t group, int32_t entry, int32_t* hPct, int32_t* index, int32_t* status,
          char* trad, int32_t* tradLen, char* simp, int32_t* simpLen),
         (hAmbiguous, group, entry, hPct, index, status, trad, tradLen, simp, simpLen))
