#include "Text8.h"

namespace tezc {

// The code page steps overwrite out without clearing it first: a buffer that held a longer
// text before is not filled again only to be overwritten.
bool decode8(const Env& env, Script script, std::string_view in, std::u16string& out) {
    const uint16_t* table = script == Script::Traditional ? env.big5().decode : env.gb().decode;
    if (!table) {
        out.clear();
        return false;
    }
    if (script == Script::Traditional) decodeBig5(table, in, out);
    else decodeGb(table, in, out);
    return true;
}

bool decode8Into(const Env& env, Script script, std::string_view in, std::u16string& out, size_t at, bool final,
                 size_t& used, size_t& end) {
    const uint16_t* table = script == Script::Traditional ? env.big5().decode : env.gb().decode;
    if (!table) return false;
    end = script == Script::Traditional ? decodeBig5Into(table, in, out, at, final, used)
                                        : decodeGbInto(table, in, out, at, final, used);
    return true;
}

bool encode8Into(const Env& env, Script script, std::u16string_view in, std::string& out, Unmappable how,
                 size_t& end) {
    if (script == Script::Traditional) {
        const auto t = env.big5();
        if (!t.encode) return false;
        end = encodeBig5Into(t.encode, in, out, how);
    } else {
        const auto t = env.gb();
        if (!t.encode) return false;
        end = encodeGbInto(t.encode, in, out, how);
    }
    return true;
}

bool encode8(const Env& env, Script script, std::u16string_view in, std::string& out, Unmappable how) {
    if (script == Script::Traditional) {
        const auto t = env.big5();
        if (!t.encode) {
            out.clear();
            return false;
        }
        encodeBig5(t.encode, in, out, how);
    } else {
        const auto t = env.gb();
        if (!t.encode) {
            out.clear();
            return false;
        }
        encodeGb(t.encode, in, out, how);
    }
    return true;
}

bool gbToUtf16(const Env* env, std::string_view gb, std::u16string& out) {
    if (env && env->gb().decode) {
        decodeGb(env->gb().decode, gb, out);
        return true;
    }
    out.clear();
    // Texts that arrive before the tables are loaded.
    return decodeIconv("GB18030", gb, out, true);
}

bool utf16ToGb(const Env* env, std::u16string_view in, std::string& out) {
    if (env && env->gb().encode) {
        encodeGb(env->gb().encode, in, out, Unmappable::Question);
        return true;
    }
    out.clear();
    encodeUtf8(in, out);
    return true;
}

bool gbToNative(const Env* env, std::string_view gb, std::string& native) {
    if (!hasNonAscii(gb)) {
        native.assign(gb);
        return true;
    }
    std::u16string u;
    if (!gbToUtf16(env, gb, u)) return false;
    for (char16_t c : u)
        if (c == 0xFFFD) return false;
    native.clear();
    encodeUtf8(u, native);
    return true;
}

std::string nativeToGb(const Env* env, const std::string& native) {
    if (!hasNonAscii(native)) return native;
    std::u16string u;
    decodeUtf8(native, u);
    std::string out;
    utf16ToGb(env, u, out);
    return out;
}

}  // namespace tezc
