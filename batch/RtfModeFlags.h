#pragma once
// The library's RTF conversion mode and flags for the four conversion flags, shared by the
// Word rows of the Word window and the Word files of a folder-tree run.
#include <cstdint>

struct RtfMode {
    int32_t mode;  // 1 T to S, 0 S to T, 2 vocabulary in Traditional text, 3 in Simplified text
    int32_t flags; // 0 no vocabulary, 1 toward Simplified usage, 256 toward Traditional usage
};

constexpr RtfMode RtfModeFlags(bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    const int32_t mode = bCode ? (bB52GB ? 1 : 0) : (bB52GB ? 2 : 3);
    const int32_t flags = !bPhrase ? 0 : ((bCode ? bB52GB : bL2R) ? 1 : 256);
    return {mode, flags};
}
