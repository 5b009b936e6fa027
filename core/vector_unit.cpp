#include "vector_unit.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {
__attribute__((target("avx"))) void zero_upper()
{
    _mm256_zeroupper();
}
} // namespace

void settle_vector_unit()
{
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        zero_upper();
}
#else
void settle_vector_unit() {}
#endif
