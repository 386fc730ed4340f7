#pragma once
// Loops built also for newer x86-64 processors.
//
// A function marked TEZC_ALSO_FOR_NEWER_X86 is compiled also for processors with BMI2 and
// AVX2, chosen when the program starts; other processors run the baseline build.
//
// Loops written for processors with AVX-512 byte and word compression are marked
// TEZC_WIDE_TARGET and run only where wideX86() says the processor has them.
#if defined(__x86_64__) && defined(__GNUC__)
#define TEZC_ALSO_FOR_NEWER_X86 [[gnu::target_clones("arch=x86-64-v3", "default")]]
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
#else
#define TEZC_ALSO_FOR_NEWER_X86
#endif

namespace tezc {

// True on a processor with AVX-512 byte and word compression, unless TEZC_X86_BASELINE is set
// in the environment: that keeps to the loops written without it (the tests run both).
bool wideX86();

}  // namespace tezc
