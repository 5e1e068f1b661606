// Fast summation kernels for the series: one combined sine–cosine per term, four terms at a time with AVX2
// and FMA where the processor has them (chosen at run time), the standard library's sin and cos otherwise.
// Results agree with term-by-term std::cos/std::sin sums to a few units in the last place of each term.
#pragma once

#include <cstddef>

#include "ephemeris/elp_mpp02.hpp"
#include "ephemeris/vsop87.hpp"

namespace zentaric {

// Whether the AVX2/FMA kernels run on this processor.
bool vector_kernels_available() noexcept;

// Over one VSOP series at t (millennia), φ = B + K·t: Σ A cos φ and Σ A K sin φ (value and rate) at t, t − H and t + H (H = VSOP_HALF_DAY, out[0..2] in that
// order) from one sine–cosine per term: sin(φ ± K·H) and cos(φ ± K·H) follow from sin φ, cos φ and the term's
// half-day turn.
struct VsopValueSums {
    double cosine;
    double sine_k;
};
void vsop_sums_three(const VsopSeries& series, double t, VsopValueSums out[3]) noexcept;
// The same sums with std::cos and std::sin, term by term (the portable path).
void vsop_sums_three_portable(const VsopSeries& series, double t, VsopValueSums out[3]) noexcept;

// The arguments φᵢ + Σₖ iₖ·argₖ of lunar perturbation terms for the 13 arguments in multiplier order, summed in
// that order as the term-by-term series does (the same doubles: the true node's short difference magnifies any
// other rounding of them).
// The arguments D·i₁ + F·i₂ + l·i₃ + l′·i₄ of main-problem terms (arguments = D, F, l, l′), summed left to right
// as the term-by-term series does.
void main_arguments(const MainTerm* terms, std::size_t count, const double arguments[4], double* out) noexcept;
void main_arguments_portable(const MainTerm* terms, std::size_t count, const double arguments[4],
                             double* out) noexcept;

void perturbation_arguments(const PerturbationTerm* terms, std::size_t count, const double arguments[13],
                            double* out) noexcept;
void perturbation_arguments_portable(const PerturbationTerm* terms, std::size_t count, const double arguments[13],
                                     double* out) noexcept;

// Σ s₁[i]·sin x[i] + c₁[i]·cos x[i] and Σ s₂[i]·sin x[i] + c₂[i]·cos x[i] (out[0], out[1]).
void sum_of_sine_cosine_pairs(const double* argument, const double* sine_1, const double* cosine_1,
                              const double* sine_2, const double* cosine_2, std::size_t count, double out[2]) noexcept;
void sum_of_sine_cosine_pairs_portable(const double* argument, const double* sine_1, const double* cosine_1,
                                       const double* sine_2, const double* cosine_2, std::size_t count,
                                       double out[2]) noexcept;

// Σ amplitude[i]·sin(argument[i]) and Σ amplitude[i]·cos(argument[i]).
double sum_of_sines(const double* amplitude, const double* argument, std::size_t count) noexcept;
double sum_of_cosines(const double* amplitude, const double* argument, std::size_t count) noexcept;
double sum_of_sines_portable(const double* amplitude, const double* argument, std::size_t count) noexcept;
double sum_of_cosines_portable(const double* amplitude, const double* argument, std::size_t count) noexcept;

// The same sums with the amplitudes read from the lunar terms (amplitude[i] = terms[i].amplitude).
double sum_of_sines(const MainTerm* terms, const double* argument, std::size_t count) noexcept;
double sum_of_cosines(const MainTerm* terms, const double* argument, std::size_t count) noexcept;
double sum_of_sines(const PerturbationTerm* terms, const double* argument, std::size_t count) noexcept;

}  // namespace zentaric
