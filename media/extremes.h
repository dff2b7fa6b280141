#pragma once

// The inner loop of both waveform readers: the lowest and highest of a run of
// sample values. The whole-file picture calls it once per column run, the
// fine peaks once per span, so it sees runs from one value to a whole block.

#include <QtGlobal>

#include <algorithm>
#include <cstddef>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TQ_SAMPLE_EXTREMES_SSE2 1
#endif

template <typename T>
struct SampleExtremes
{
    T lo;
    T hi;
};

namespace sampleextremes_detail {

template <typename T>
SampleExtremes<T> scalar(const T *v, size_t len, SampleExtremes<T> e)
{
    for (size_t k = 0; k < len; ++k) {
        const T x = v[k];
        e.lo = x < e.lo ? x : e.lo;
        e.hi = x > e.hi ? x : e.hi;
    }
    return e;
}

#ifdef TQ_SAMPLE_EXTREMES_SSE2

// Four vectors at a time, each with its own min and max register, so that
// the chains do not wait on each other. lo and hi hold e.lo and e.hi in every
// lane. Loads are unaligned: runs start anywhere in a block.
template <typename T, typename Min, typename Max>
SampleExtremes<T> packed(const T *v, size_t len, SampleExtremes<T> e, __m128i lo, __m128i hi, Min min, Max max)
{
    constexpr size_t Lanes = 16 / sizeof(T);
    constexpr size_t Step = 4 * Lanes;
    if (len < Step)
        return scalar(v, len, e);
    size_t k = 0;
    __m128i lo1 = lo, lo2 = lo, lo3 = lo;
    __m128i hi1 = hi, hi2 = hi, hi3 = hi;
    for (; k + Step <= len; k += Step) {
        const auto *p = reinterpret_cast<const __m128i *>(v + k);
        const __m128i a = _mm_loadu_si128(p);
        const __m128i b = _mm_loadu_si128(p + 1);
        const __m128i c = _mm_loadu_si128(p + 2);
        const __m128i d = _mm_loadu_si128(p + 3);
        lo = min(lo, a);
        lo1 = min(lo1, b);
        lo2 = min(lo2, c);
        lo3 = min(lo3, d);
        hi = max(hi, a);
        hi1 = max(hi1, b);
        hi2 = max(hi2, c);
        hi3 = max(hi3, d);
    }
    lo = min(min(lo, lo1), min(lo2, lo3));
    hi = max(max(hi, hi1), max(hi2, hi3));
    alignas(16) T los[Lanes];
    alignas(16) T his[Lanes];
    _mm_store_si128(reinterpret_cast<__m128i *>(los), lo);
    _mm_store_si128(reinterpret_cast<__m128i *>(his), hi);
    for (size_t l = 0; l < Lanes; ++l) {
        e.lo = std::min(e.lo, los[l]);
        e.hi = std::max(e.hi, his[l]);
    }
    return scalar(v + k, len - k, e);
}

#endif

} // namespace sampleextremes_detail

// e merged with the extremes of v[0] .. v[len - 1]; e itself for len 0. An
// empty start is {the type's max, the type's min}.
inline SampleExtremes<qint16> sampleExtremes(const qint16 *v, size_t len, SampleExtremes<qint16> e)
{
#ifdef TQ_SAMPLE_EXTREMES_SSE2
    return sampleextremes_detail::packed(
        v, len, e, _mm_set1_epi16(e.lo), _mm_set1_epi16(e.hi),
        [](__m128i a, __m128i b) { return _mm_min_epi16(a, b); },
        [](__m128i a, __m128i b) { return _mm_max_epi16(a, b); });
#else
    return sampleextremes_detail::scalar(v, len, e);
#endif
}

// 8-bit PCM is unsigned: compared as such, widened by the caller.
inline SampleExtremes<quint8> sampleExtremes(const quint8 *v, size_t len, SampleExtremes<quint8> e)
{
#ifdef TQ_SAMPLE_EXTREMES_SSE2
    return sampleextremes_detail::packed(
        v, len, e, _mm_set1_epi8(char(e.lo)), _mm_set1_epi8(char(e.hi)),
        [](__m128i a, __m128i b) { return _mm_min_epu8(a, b); },
        [](__m128i a, __m128i b) { return _mm_max_epu8(a, b); });
#else
    return sampleextremes_detail::scalar(v, len, e);
#endif
}
