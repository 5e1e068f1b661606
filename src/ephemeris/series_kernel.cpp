// Series kernels: a vectorised sine–cosine (Cody–Waite reduction by π/2 with FMA, Taylor polynomials on
// [−π/4, π/4]) for AVX2/FMA processors, and the portable std::cos/std::sin loops.
#include "ephemeris/series_kernel.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define ZENTARIC_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace zentaric {

void vsop_sums_three_portable(const VsopSeries& series, double t, VsopValueSums out[3]) noexcept {
    for (int k = 0; k < 3; ++k) out[k] = VsopValueSums{0.0, 0.0};
    for (std::size_t i = 0; i < series.count; ++i) {
        const double amplitude = series.amplitude[i];
        const double argument = series.phase[i] + t * series.frequency[i];
        const double cosine = std::cos(argument);
        const double sine = std::sin(argument);
        // cos(φ ∓ a) = cos φ cos a ± sin φ sin a, sin(φ ∓ a) = sin φ cos a ∓ cos φ sin a.
        const double cos_cos = cosine * series.turn_cosine[i];
        const double sin_sin = sine * series.turn_sine[i];
        const double sin_cos = sine * series.turn_cosine[i];
        const double cos_sin = cosine * series.turn_sine[i];
        const double cosines[3] = {cosine, cos_cos + sin_sin, cos_cos - sin_sin};
        const double sines[3] = {sine, sin_cos - cos_sin, sin_cos + cos_sin};
        const double ak = amplitude * series.frequency[i];
        for (int k = 0; k < 3; ++k) {
            out[k].cosine += amplitude * cosines[k];
            out[k].sine_k += ak * sines[k];
        }
    }
}

void main_arguments_portable(const MainTerm* terms, std::size_t count, const double arguments[4],
                             double* out) noexcept {
    // One product per statement: each is rounded before it is added, whatever the compiler's contraction.
    for (std::size_t i = 0; i < count; ++i) {
        const std::int8_t* m = terms[i].multipliers;
        double argument = arguments[0] * m[0];
        for (int k = 1; k < 4; ++k) {
            const double product = arguments[k] * m[k];
            argument += product;
        }
        out[i] = argument;
    }
}

void perturbation_arguments_portable(const PerturbationTerm* terms, std::size_t count, const double arguments[13],
                                     double* out) noexcept {
    for (std::size_t i = 0; i < count; ++i) {
        double argument = terms[i].phase;
        for (int k = 0; k < 13; ++k) {
            const double product = arguments[k] * terms[i].multipliers[k];  // rounded before it is added
            argument += product;
        }
        out[i] = argument;
    }
}

void sum_of_sine_cosine_pairs_portable(const double* argument, const double* sine_1, const double* cosine_1,
                                       const double* sine_2, const double* cosine_2, std::size_t count,
                                       double out[2]) noexcept {
    out[0] = out[1] = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double sine = std::sin(argument[i]);
        const double cosine = std::cos(argument[i]);
        out[0] += sine_1[i] * sine + cosine_1[i] * cosine;
        out[1] += sine_2[i] * sine + cosine_2[i] * cosine;
    }
}

namespace {

// Σ amplitude(i)·sin x[i] (Sine) or Σ amplitude(i)·cos x[i], term by term.
template <bool Sine, class Amplitude>
double sum_portable(Amplitude amplitude, const double* argument, std::size_t count) noexcept {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i) sum += amplitude(i) * (Sine ? std::sin(argument[i]) : std::cos(argument[i]));
    return sum;
}

// The amplitude of term i: of a column, or of a lunar table.
auto column_amplitude(const double* amplitude) noexcept {
    return [amplitude](std::size_t i) { return amplitude[i]; };
}

template <class Term>
auto term_amplitude(const Term* terms) noexcept {
    return [terms](std::size_t i) { return terms[i].amplitude; };
}

}  // namespace

double sum_of_sines_portable(const double* amplitude, const double* argument, std::size_t count) noexcept {
    return sum_portable<true>(column_amplitude(amplitude), argument, count);
}

double sum_of_cosines_portable(const double* amplitude, const double* argument, std::size_t count) noexcept {
    return sum_portable<false>(column_amplitude(amplitude), argument, count);
}

#ifdef ZENTARIC_X86_KERNELS

namespace {

#define ZENTARIC_AVX2 __attribute__((target("avx2,fma")))

// π/2 in three parts (P1 the double nearest π/2, P2 and P3 the next two remainders).
constexpr double HALF_PI_1 = 1.5707963267948966;
constexpr double HALF_PI_2 = 6.123233995736766e-17;
constexpr double HALF_PI_3 = -1.4973849048591698e-33;
constexpr double TWO_OVER_PI = 0.6366197723675814;
// 1.5 × 2⁵²: adding it rounds to an integer held in the low mantissa bits.
constexpr double ROUNDING_MAGIC = 6755399441055744.0;

// sin x and cos x of four doubles, |x| < 2⁵⁰. The reduction r = x − q·π/2 is exact in its first step (FMA),
// then carries the rest of π/2 to about 1e-16 absolute; the Taylor series to r¹⁵ and r¹⁶ err below 5e-17.
ZENTARIC_AVX2 inline void sine_cosine(__m256d x, __m256d& sine, __m256d& cosine) {
    const __m256d shifted = _mm256_fmadd_pd(x, _mm256_set1_pd(TWO_OVER_PI), _mm256_set1_pd(ROUNDING_MAGIC));
    const __m256d q = _mm256_sub_pd(shifted, _mm256_set1_pd(ROUNDING_MAGIC));
    const __m256i quadrant = _mm256_castpd_si256(shifted);
    __m256d r = _mm256_fnmadd_pd(q, _mm256_set1_pd(HALF_PI_1), x);
    r = _mm256_fnmadd_pd(q, _mm256_set1_pd(HALF_PI_2), r);
    r = _mm256_fnmadd_pd(q, _mm256_set1_pd(HALF_PI_3), r);
    const __m256d r2 = _mm256_mul_pd(r, r);

    // sin r = r·(1 − r²/3! + r⁴/5! − … − r¹⁴/15!)
    __m256d s = _mm256_set1_pd(-1.0 / 1307674368000.0);
    s = _mm256_fmadd_pd(s, r2, _mm256_set1_pd(1.0 / 6227020800.0));
    s = _mm256_fmadd_pd(s, r2, _mm256_set1_pd(-1.0 / 39916800.0));
    s = _mm256_fmadd_pd(s, r2, _mm256_set1_pd(1.0 / 362880.0));
    s = _mm256_fmadd_pd(s, r2, _mm256_set1_pd(-1.0 / 5040.0));
    s = _mm256_fmadd_pd(s, r2, _mm256_set1_pd(1.0 / 120.0));
    s = _mm256_fmadd_pd(s, r2, _mm256_set1_pd(-1.0 / 6.0));
    s = _mm256_mul_pd(s, r2);
    s = _mm256_fmadd_pd(s, r, r);
    // cos r = 1 − r²/2! + r⁴/4! − … + r¹⁶/16!
    __m256d c = _mm256_set1_pd(1.0 / 20922789888000.0);
    c = _mm256_fmadd_pd(c, r2, _mm256_set1_pd(-1.0 / 87178291200.0));
    c = _mm256_fmadd_pd(c, r2, _mm256_set1_pd(1.0 / 479001600.0));
    c = _mm256_fmadd_pd(c, r2, _mm256_set1_pd(-1.0 / 3628800.0));
    c = _mm256_fmadd_pd(c, r2, _mm256_set1_pd(1.0 / 40320.0));
    c = _mm256_fmadd_pd(c, r2, _mm256_set1_pd(-1.0 / 720.0));
    c = _mm256_fmadd_pd(c, r2, _mm256_set1_pd(1.0 / 24.0));
    c = _mm256_fmadd_pd(c, r2, _mm256_set1_pd(-0.5));
    c = _mm256_fmadd_pd(c, r2, _mm256_set1_pd(1.0));

    // x = r + q·π/2: odd q swaps sine and cosine; bit 1 of q (of q + 1) is the sign of the sine (cosine).
    const __m256i one = _mm256_set1_epi64x(1);
    const __m256i two = _mm256_set1_epi64x(2);
    const __m256d swap = _mm256_castsi256_pd(_mm256_cmpeq_epi64(_mm256_and_si256(quadrant, one), one));
    const __m256d sine_sign = _mm256_castsi256_pd(_mm256_slli_epi64(_mm256_and_si256(quadrant, two), 62));
    const __m256d cosine_sign =
        _mm256_castsi256_pd(_mm256_slli_epi64(_mm256_and_si256(_mm256_add_epi64(quadrant, one), two), 62));
    sine = _mm256_xor_pd(_mm256_blendv_pd(s, c, swap), sine_sign);
    cosine = _mm256_xor_pd(_mm256_blendv_pd(c, s, swap), cosine_sign);
}

ZENTARIC_AVX2 inline double horizontal_sum(__m256d v) {
    const __m128d pair = _mm_add_pd(_mm256_castpd256_pd128(v), _mm256_extractf128_pd(v, 1));
    return _mm_cvtsd_f64(_mm_add_sd(pair, _mm_unpackhi_pd(pair, pair)));
}

// Four terms of a series from `i` on (the columns padded with zero amplitudes past the end).
struct TermColumns {
    __m256d amplitude, phase, frequency, turn_cosine, turn_sine;
};

ZENTARIC_AVX2 inline TermColumns load_columns(const VsopSeries& series, std::size_t i) {
    if (i + 4 <= series.count) {
        return TermColumns{_mm256_loadu_pd(series.amplitude + i), _mm256_loadu_pd(series.phase + i),
                           _mm256_loadu_pd(series.frequency + i), _mm256_loadu_pd(series.turn_cosine + i),
                           _mm256_loadu_pd(series.turn_sine + i)};
    }
    double column[5][4] = {};
    for (std::size_t j = i; j < series.count; ++j) {
        column[0][j - i] = series.amplitude[j];
        column[1][j - i] = series.phase[j];
        column[2][j - i] = series.frequency[j];
        column[3][j - i] = series.turn_cosine[j];
        column[4][j - i] = series.turn_sine[j];
    }
    return TermColumns{_mm256_loadu_pd(column[0]), _mm256_loadu_pd(column[1]), _mm256_loadu_pd(column[2]),
                       _mm256_loadu_pd(column[3]), _mm256_loadu_pd(column[4])};
}

// sin φ and cos φ of four terms, φ = B + t·K with the product rounded first, as the term-by-term sum forms it:
// the empty asm keeps the compiler from fusing the two into one FMA (a third of an ulp of φ, 1e-12 AU for |t|
// of several millennia).
ZENTARIC_AVX2 inline void term_sine_cosine(const TermColumns& terms, __m256d time, __m256d& s, __m256d& c) {
    __m256d product = _mm256_mul_pd(time, terms.frequency);
    __asm__("" : "+x"(product));
    sine_cosine(_mm256_add_pd(terms.phase, product), s, c);
}

struct ValueAccumulators {
    __m256d cosine, sine_k;
};

ZENTARIC_AVX2 void vsop_sums_three_avx2(const VsopSeries& series, double t, VsopValueSums out[3]) {
    const __m256d time = _mm256_set1_pd(t);
    const __m256d zero = _mm256_setzero_pd();
    ValueAccumulators sums[3] = {{zero, zero}, {zero, zero}, {zero, zero}};
    for (std::size_t i = 0; i < series.count; i += 4) {
        const TermColumns terms = load_columns(series, i);
        __m256d s, c;
        term_sine_cosine(terms, time, s, c);
        const __m256d a = terms.amplitude;
        const __m256d ak = _mm256_mul_pd(a, terms.frequency);
        const __m256d cos_sin = _mm256_mul_pd(c, terms.turn_sine);
        const __m256d sin_sin = _mm256_mul_pd(s, terms.turn_sine);
        sums[0].cosine = _mm256_fmadd_pd(a, c, sums[0].cosine);
        sums[0].sine_k = _mm256_fmadd_pd(ak, s, sums[0].sine_k);
        sums[1].cosine = _mm256_fmadd_pd(a, _mm256_fmadd_pd(c, terms.turn_cosine, sin_sin), sums[1].cosine);
        sums[1].sine_k = _mm256_fmadd_pd(ak, _mm256_fmsub_pd(s, terms.turn_cosine, cos_sin), sums[1].sine_k);
        sums[2].cosine = _mm256_fmadd_pd(a, _mm256_fmsub_pd(c, terms.turn_cosine, sin_sin), sums[2].cosine);
        sums[2].sine_k = _mm256_fmadd_pd(ak, _mm256_fmadd_pd(s, terms.turn_cosine, cos_sin), sums[2].sine_k);
    }
    for (int k = 0; k < 3; ++k) out[k] = VsopValueSums{horizontal_sum(sums[k].cosine), horizontal_sum(sums[k].sine_k)};
}

// The multipliers iₖ of four terms for one k, as doubles: `column` holds four bytes per k (terms 0..3).
template <int Byte>
ZENTARIC_AVX2 inline __m256d multipliers_of(__m128i column) {
    return _mm256_cvtepi32_pd(_mm_cvtepi8_epi32(_mm_srli_si128(column, Byte)));
}

// argument = argument + a·m with the product rounded first, as the term-by-term loop forms it.
ZENTARIC_AVX2 inline __m256d add_product(__m256d argument, double a, __m256d m) {
    __m256d product = _mm256_mul_pd(_mm256_set1_pd(a), m);
    __asm__("" : "+x"(product));
    return _mm256_add_pd(argument, product);
}

// Bit b set where byte b of the column is not zero.
ZENTARIC_AVX2 inline int nonzero_bytes(__m128i column) {
    return ~_mm_movemask_epi8(_mm_cmpeq_epi8(column, _mm_setzero_si128())) & 0xFFFF;
}

// add_product for the multipliers in bytes Byte .. Byte + 3, skipped when all four are zero: the products are
// then ±0 and leave every argument as it was.
template <int Byte>
ZENTARIC_AVX2 inline __m256d add_present_product(__m256d argument, double a, __m128i column, int present) {
    if (((present >> Byte) & 0xF) == 0) return argument;
    return add_product(argument, a, multipliers_of<Byte>(column));
}

// Four terms at a time, each argument summed in the order of the term-by-term loop (φ + a₀i₀ + a₁i₁ + …), so
// that every argument is that loop's double.
ZENTARIC_AVX2 void perturbation_arguments_avx2(const PerturbationTerm* terms, std::size_t count,
                                               const double arguments[13], double* out) {
    static_assert(sizeof(PerturbationTerm) == 32 && offsetof(PerturbationTerm, multipliers) == 8,
                  "PerturbationTerm: amplitude, 13 multipliers, phase in 32 bytes");
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        // Bytes 13..15 of each load are the padding before the phase; the lanes that hold them are not used.
        const __m128i t0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(terms[i].multipliers));
        const __m128i t1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(terms[i + 1].multipliers));
        const __m128i t2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(terms[i + 2].multipliers));
        const __m128i t3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(terms[i + 3].multipliers));
        // Transpose: columns[c] holds, for k = 4c .. 4c + 3, the four terms' iₖ in bytes 4(k − 4c) .. +3.
        const __m128i low01 = _mm_unpacklo_epi8(t0, t1);
        const __m128i low23 = _mm_unpacklo_epi8(t2, t3);
        const __m128i high01 = _mm_unpackhi_epi8(t0, t1);
        const __m128i high23 = _mm_unpackhi_epi8(t2, t3);
        const __m128i columns[4] = {_mm_unpacklo_epi16(low01, low23), _mm_unpackhi_epi16(low01, low23),
                                    _mm_unpacklo_epi16(high01, high23), _mm_unpackhi_epi16(high01, high23)};
        __m256d argument = _mm256_set_pd(terms[i + 3].phase, terms[i + 2].phase, terms[i + 1].phase, terms[i].phase);
        for (int c = 0; c < 3; ++c) {
            const int present = nonzero_bytes(columns[c]);
            argument = add_present_product<0>(argument, arguments[4 * c], columns[c], present);
            argument = add_present_product<4>(argument, arguments[4 * c + 1], columns[c], present);
            argument = add_present_product<8>(argument, arguments[4 * c + 2], columns[c], present);
            argument = add_present_product<12>(argument, arguments[4 * c + 3], columns[c], present);
        }
        argument = add_present_product<0>(argument, arguments[12], columns[3], nonzero_bytes(columns[3]));
        _mm256_storeu_pd(out + i, argument);
    }
    perturbation_arguments_portable(terms + i, count - i, arguments, out + i);
}

ZENTARIC_AVX2 void main_arguments_avx2(const MainTerm* terms, std::size_t count, const double arguments[4],
                                       double* out) {
    static_assert(sizeof(MainTerm) == 16 && offsetof(MainTerm, multipliers) == 0,
                  "MainTerm: 4 multipliers, then the amplitude, in 16 bytes");
    // Bytes 4k .. 4k + 3 of the shuffled vector: multiplier k of terms 0..3.
    const __m128i transpose = _mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        std::int32_t packed[4];
        for (int j = 0; j < 4; ++j) std::memcpy(&packed[j], terms[i + j].multipliers, sizeof packed[j]);
        const __m128i columns =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(packed)), transpose);
        __m256d product = _mm256_mul_pd(_mm256_set1_pd(arguments[0]), multipliers_of<0>(columns));
        __asm__("" : "+x"(product));
        __m256d argument = add_product(product, arguments[1], multipliers_of<4>(columns));
        argument = add_product(argument, arguments[2], multipliers_of<8>(columns));
        argument = add_product(argument, arguments[3], multipliers_of<12>(columns));
        _mm256_storeu_pd(out + i, argument);
    }
    main_arguments_portable(terms + i, count - i, arguments, out + i);
}

ZENTARIC_AVX2 void sum_of_sine_cosine_pairs_avx2(const double* argument, const double* sine_1,
                                                 const double* cosine_1, const double* sine_2,
                                                 const double* cosine_2, std::size_t count, double out[2]) {
    __m256d first = _mm256_setzero_pd();
    __m256d second = _mm256_setzero_pd();
    const auto add_group = [&](const double* x, const double* s1, const double* c1, const double* s2,
                               const double* c2) ZENTARIC_AVX2 {
        __m256d s, c;
        sine_cosine(_mm256_loadu_pd(x), s, c);
        first = _mm256_fmadd_pd(_mm256_loadu_pd(s1), s, _mm256_fmadd_pd(_mm256_loadu_pd(c1), c, first));
        second = _mm256_fmadd_pd(_mm256_loadu_pd(s2), s, _mm256_fmadd_pd(_mm256_loadu_pd(c2), c, second));
    };
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) add_group(argument + i, sine_1 + i, cosine_1 + i, sine_2 + i, cosine_2 + i);
    if (i < count) {
        double x[4] = {}, s1[4] = {}, c1[4] = {}, s2[4] = {}, c2[4] = {};  // zero weights pad the last group
        for (std::size_t j = i; j < count; ++j) {
            x[j - i] = argument[j];
            s1[j - i] = sine_1[j];
            c1[j - i] = cosine_1[j];
            s2[j - i] = sine_2[j];
            c2[j - i] = cosine_2[j];
        }
        add_group(x, s1, c1, s2, c2);
    }
    out[0] = horizontal_sum(first);
    out[1] = horizontal_sum(second);
}

template <bool Sine, class Amplitude>
ZENTARIC_AVX2 double sum_avx2(Amplitude amplitude, const double* argument, std::size_t count) {
    __m256d sum = _mm256_setzero_pd();
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        __m256d s, c;
        sine_cosine(_mm256_loadu_pd(argument + i), s, c);
        const __m256d a = _mm256_set_pd(amplitude(i + 3), amplitude(i + 2), amplitude(i + 1), amplitude(i));
        sum = _mm256_fmadd_pd(a, Sine ? s : c, sum);
    }
    if (i < count) {
        double a[4] = {};
        double x[4] = {};
        for (std::size_t j = i; j < count; ++j) {
            a[j - i] = amplitude(j);
            x[j - i] = argument[j];
        }
        __m256d s, c;
        sine_cosine(_mm256_loadu_pd(x), s, c);
        sum = _mm256_fmadd_pd(_mm256_loadu_pd(a), Sine ? s : c, sum);
    }
    return horizontal_sum(sum);
}

}  // namespace

bool vector_kernels_available() noexcept {
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}

void vsop_sums_three(const VsopSeries& series, double t, VsopValueSums out[3]) noexcept {
    if (vector_kernels_available()) {
        vsop_sums_three_avx2(series, t, out);
    } else {
        vsop_sums_three_portable(series, t, out);
    }
}

void main_arguments(const MainTerm* terms, std::size_t count, const double arguments[4], double* out) noexcept {
    if (vector_kernels_available()) {
        main_arguments_avx2(terms, count, arguments, out);
    } else {
        main_arguments_portable(terms, count, arguments, out);
    }
}

void perturbation_arguments(const PerturbationTerm* terms, std::size_t count, const double arguments[13],
                            double* out) noexcept {
    if (vector_kernels_available()) {
        perturbation_arguments_avx2(terms, count, arguments, out);
    } else {
        perturbation_arguments_portable(terms, count, arguments, out);
    }
}

void sum_of_sine_cosine_pairs(const double* argument, const double* sine_1, const double* cosine_1,
                              const double* sine_2, const double* cosine_2, std::size_t count, double out[2]) noexcept {
    if (vector_kernels_available()) {
        sum_of_sine_cosine_pairs_avx2(argument, sine_1, cosine_1, sine_2, cosine_2, count, out);
    } else {
        sum_of_sine_cosine_pairs_portable(argument, sine_1, cosine_1, sine_2, cosine_2, count, out);
    }
}

namespace {

template <bool Sine, class Amplitude>
double sum_dispatched(Amplitude amplitude, const double* argument, std::size_t count) noexcept {
    return vector_kernels_available() ? sum_avx2<Sine>(amplitude, argument, count)
                                      : sum_portable<Sine>(amplitude, argument, count);
}

}  // namespace


#else  // no x86 vector kernels on this platform

bool vector_kernels_available() noexcept { return false; }

void sum_of_sine_cosine_pairs(const double* argument, const double* sine_1, const double* cosine_1,
                              const double* sine_2, const double* cosine_2, std::size_t count, double out[2]) noexcept {
    sum_of_sine_cosine_pairs_portable(argument, sine_1, cosine_1, sine_2, cosine_2, count, out);
}

void main_arguments(const MainTerm* terms, std::size_t count, const double arguments[4], double* out) noexcept {
    main_arguments_portable(terms, count, arguments, out);
}

void perturbation_arguments(const PerturbationTerm* terms, std::size_t count, const double arguments[13],
                            double* out) noexcept {
    perturbation_arguments_portable(terms, count, arguments, out);
}

void vsop_sums_three(const VsopSeries& series, double t, VsopValueSums out[3]) noexcept {
    vsop_sums_three_portable(series, t, out);
}

namespace {

template <bool Sine, class Amplitude>
double sum_dispatched(Amplitude amplitude, const double* argument, std::size_t count) noexcept {
    return sum_portable<Sine>(amplitude, argument, count);
}

}  // namespace

#endif

double sum_of_sines(const double* amplitude, const double* argument, std::size_t count) noexcept {
    return sum_dispatched<true>(column_amplitude(amplitude), argument, count);
}

double sum_of_cosines(const double* amplitude, const double* argument, std::size_t count) noexcept {
    return sum_dispatched<false>(column_amplitude(amplitude), argument, count);
}

double sum_of_sines(const MainTerm* terms, const double* argument, std::size_t count) noexcept {
    return sum_dispatched<true>(term_amplitude(terms), argument, count);
}

double sum_of_cosines(const MainTerm* terms, const double* argument, std::size_t count) noexcept {
    return sum_dispatched<false>(term_amplitude(terms), argument, count);
}

double sum_of_sines(const PerturbationTerm* terms, const double* argument, std::size_t count) noexcept {
    return sum_dispatched<true>(term_amplitude(terms), argument, count);
}

}  // namespace zentaric
