#pragma once
// Loops written also for x86-64 processors with AVX-512 byte and word compression: a loop
// marked TEZC_WIDE_TARGET runs only where wideX86() says the processor has them.
#if defined(__x86_64__) && defined(__GNUC__)
#define TEZC_WIDE_X86 1
#define TEZC_WIDE_TARGET [[gnu::target("avx512f,avx512bw,avx512vl,avx512vbmi2,bmi2,popcnt")]]
// GCC 12's AVX-512 headers start some vectors undefined and then warn about them: the wide
// loops stand between these two.
#if defined(__clang__)
#define TEZC_WIDE_LOOPS_BEGIN
#define TEZC_WIDE_LOOPS_END
#else
#define TEZC_WIDE_LOOPS_BEGIN _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wmaybe-uninitialized\"")
#define TEZC_WIDE_LOOPS_END _Pragma("GCC diagnostic pop")
#endif
#endif

namespace tezc {

// True on such a processor, unless TEZC_X86_BASELINE is set in the environment: that keeps
// everything to the baseline x86-64 loops (the tests run both).
bool wideX86();

}  // namespace tezc
