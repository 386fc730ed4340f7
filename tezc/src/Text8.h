#pragma once
// 8-bit text of a script: Big5 for Traditional, GB18030 for Simplified, through the code
// page sections of the loaded tables.
#include "Convert.h"

namespace tezc {

// Returns false when the needed code page section is not loaded.
bool decode8(const Env& env, Script script, std::string_view in, std::u16string& out);
// A part of a longer 8-bit text into a buffer that only grows, from out[at] on (see
// decodeBig5Into): used is set to the bytes decoded, end to the end of the units.
bool decode8Into(const Env& env, Script script, std::string_view in, std::u16string& out, size_t at, bool final,
                 size_t& used, size_t& end);
bool encode8(const Env& env, Script script, std::u16string_view in, std::string& out,
             Unmappable how = Unmappable::Question);
// Encoding into a buffer that only grows, from out[0] on: end is set to the end of the bytes.
bool encode8Into(const Env& env, Script script, std::u16string_view in, std::string& out, Unmappable how,
                 size_t& end);

// Paths and vocabulary terms cross as GB18030. Without the GB tables, ASCII passes and
// other bytes are taken as UTF-8 when they are valid UTF-8.
bool gbToNative(const Env* env, std::string_view gb, std::string& native);
std::string nativeToGb(const Env* env, const std::string& native);
bool gbToUtf16(const Env* env, std::string_view gb, std::u16string& out);
bool utf16ToGb(const Env* env, std::u16string_view in, std::string& out);

}  // namespace tezc
