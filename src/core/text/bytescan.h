// Scans for one byte value over large texts, sixteen bytes at a time where
// the processor has SSE2 (every x86-64). The C runtime's memchr is not used
// for these: its speed depends on the runtime the program runs on, and some
// go byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace core {

// The first `c` in [p, p + n), or nullptr.
inline const char* FindByte(const char* p, std::size_t n, char c) noexcept {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i want = _mm_set1_epi8(c);
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(v, want));
    if (mask) return p + i + __builtin_ctz(static_cast<unsigned>(mask));
  }
#endif
  for (; i < n; ++i)
    if (p[i] == c) return p + i;
  return nullptr;
}

// How many bytes `c` [p, p + n) holds.
inline std::size_t CountByte(const char* p, std::size_t n, char c) noexcept {
  std::size_t count = 0, i = 0;
#if defined(__SSE2__)
  const __m128i want = _mm_set1_epi8(c);
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    count += static_cast<std::size_t>(__builtin_popcount(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, want)))));
  }
#endif
  for (; i < n; ++i) count += p[i] == c;
  return count;
}

// Appends base + k for every k with p[k] == c, in ascending order.
inline void CollectByte(const char* p, std::size_t n, char c, std::uint32_t base,
                        std::vector<std::uint32_t>& out) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i want = _mm_set1_epi8(c);
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, want)));
    while (mask) {
      out.push_back(base + static_cast<std::uint32_t>(i + static_cast<std::size_t>(__builtin_ctz(mask))));
      mask &= mask - 1;
    }
  }
#endif
  for (; i < n; ++i)
    if (p[i] == c) out.push_back(base + static_cast<std::uint32_t>(i));
}

}  // namespace core
