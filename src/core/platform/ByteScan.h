#pragma once
// Searches over text for the few bytes that need a closer look, sixteen at a time where the
// processor compares them so (every x86-64 one), else one at a time. The readers look at every
// byte of every header, and most bytes need nothing.
//
//   ByteScan::firstOf(text, 0, '#', '/', '*')   the next place a directive or comment may start
//                                               (any number of bytes)
//   ByteScan::firstNotAscii(text, 0)            the first byte that is NUL or not ASCII
//   ByteScan::firstControl(text, 0)             the first control byte other than tab and line end
//   ByteScan::wordEnd(text, 0)                  the first byte that is no letter, digit, "_", "$"
//                                               or byte of a UTF-8 sequence (the end of a word)
// Each answers text.size() when there is none. And
//   ByteScan::count(text, 0, 40, '\n')          how often the byte stands in [0, 40)
#include <algorithm>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrel {

struct ByteScan {
    template <typename... Chars>
    static std::size_t firstOf(std::string_view text, std::size_t at, Chars... chars) {
#if defined(__SSE2__)
        for (; at + 16 <= text.size(); at += 16) {
            const __m128i chunk = load(text, at);
            const __m128i hit = (_mm_cmpeq_epi8(chunk, _mm_set1_epi8(chars)) | ...);
            if (const int mask = _mm_movemask_epi8(hit)) return at + firstBit(mask);
        }
#endif
        while (at < text.size() && ((text[at] != chars) && ...)) ++at;
        return at;
    }
    static std::size_t firstNotAscii(std::string_view text, std::size_t at) {
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        for (; at + 16 <= text.size(); at += 16) {
            const __m128i chunk = load(text, at);
            if (const int mask = _mm_movemask_epi8(chunk) | _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, zero)))
                return at + firstBit(mask);
        }
#endif
        while (at < text.size() && text[at] != '\0' && static_cast<unsigned char>(text[at]) < 0x80) ++at;
        return at;
    }

    static std::size_t count(std::string_view text, std::size_t from, std::size_t to, char c) {
        std::size_t found = 0;
        to = std::min(to, text.size());
#if defined(__SSE2__)
        // Each lane counts up to 255 hits (a hit compares as -1), then the lanes are summed.
        const __m128i needle = _mm_set1_epi8(c), zero = _mm_setzero_si128();
        while (from + 16 <= to) {
            __m128i lanes = zero;
            for (int round = 0; round < 255 && from + 16 <= to; ++round, from += 16)
                lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(load(text, from), needle));
            const __m128i sums = _mm_sad_epu8(lanes, zero);
            found += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
        }
#endif
        for (; from < to; ++from) found += text[from] == c;
        return found;
    }

    static bool isWordByte(char c) {
        const unsigned u = static_cast<unsigned char>(c);
        return (u | 0x20u) - 'a' < 26u || u - '0' < 10u || c == '_' || c == '$' || u >= 0x80u;
    }
    static std::size_t wordEnd(std::string_view text, std::size_t at) {
#if defined(__SSE2__)
        // Words are mostly shorter than sixteen bytes: one step finds the end of most.
        const __m128i zero = _mm_setzero_si128();
        for (; at + 16 <= text.size(); at += 16) {
            const __m128i chunk = load(text, at);
            const __m128i folded = _mm_or_si128(chunk, _mm_set1_epi8(0x20));  // capitals as small letters
            const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(folded, _mm_set1_epi8('a' - 1)),
                                                 _mm_cmplt_epi8(folded, _mm_set1_epi8('z' + 1)));
            const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(chunk, _mm_set1_epi8('0' - 1)),
                                                _mm_cmplt_epi8(chunk, _mm_set1_epi8('9' + 1)));
            const __m128i other = _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('_')),
                                               _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('$')),
                                                            _mm_cmplt_epi8(chunk, zero)));  // 0x80 and up
            const int word = _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(letter, digit), other));
            if (word != 0xFFFF) return at + firstBit(~word & 0xFFFF);
        }
#endif
        while (at < text.size() && isWordByte(text[at])) ++at;
        return at;
    }

    static bool isControl(char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t' && c != '\n') || u == 0x7f;
    }
    static std::size_t firstControl(std::string_view text, std::size_t at) {
#if defined(__SSE2__)
        const __m128i space = _mm_set1_epi8(0x20), del = _mm_set1_epi8(0x7f), tab = _mm_set1_epi8('\t'),
                      newline = _mm_set1_epi8('\n'), zero = _mm_setzero_si128();
        for (; at + 16 <= text.size(); at += 16) {
            const __m128i chunk = load(text, at);
            // Below 0x20 as unsigned bytes: below 0x20 as signed ones, and not negative.
            const __m128i low = _mm_andnot_si128(_mm_cmplt_epi8(chunk, zero), _mm_cmplt_epi8(chunk, space));
            const __m128i allowed = _mm_or_si128(_mm_cmpeq_epi8(chunk, tab), _mm_cmpeq_epi8(chunk, newline));
            const __m128i hit = _mm_or_si128(_mm_andnot_si128(allowed, low), _mm_cmpeq_epi8(chunk, del));
            if (const int mask = _mm_movemask_epi8(hit)) return at + firstBit(mask);
        }
#endif
        while (at < text.size() && !isControl(text[at])) ++at;
        return at;
    }

private:
#if defined(__SSE2__)
    static __m128i load(std::string_view text, std::size_t at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
    }
    static std::size_t firstBit(int mask) { return static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask))); }
#endif
};

}  // namespace kestrel
