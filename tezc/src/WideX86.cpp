#include "WideX86.h"

#include <cstdlib>

namespace tezc {

bool wideX86() {
#if defined(TEZC_WIDE_X86)
    static const bool wide = !std::getenv("TEZC_X86_BASELINE") && __builtin_cpu_supports("avx512bw") &&
                             __builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("bmi2");
    return wide;
#else
    return false;
#endif
}

}  // namespace tezc
