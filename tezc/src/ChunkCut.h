#pragma once
// Where a long text may be cut so that converting the two parts apart gives the conversion
// of the whole: after a line break (no term, phrase or protected name holds one), or else
// where no match of any matcher the operation uses reaches across, between two units that
// are neither a surrogate pair nor a CR LF.
#include "Convert.h"

#include <cstddef>
#include <string_view>

namespace tezc {

// The last such cut in text, 0 when there is none (or when a matcher cannot be prepared:
// then rc is set). The cut leaves at least the longest key's length behind it, so every
// match that starts before it is seen whole.
size_t chunkCut(Stmt& st, const TextOp& op, std::u16string_view text, int32_t& rc);

}  // namespace tezc
