// Number functions beside raw MPFR at the same precision (bits = ceil(digits *
// log2 10)), at 35, 80 and 532 significant digits, and the exact factorial
// beside GMP's own.
#include <cmath>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <gmp.h>
#include <mpfr.h>

#include "number/Number.h"

namespace {

// A fixed argument with `digits` significant digits: lead followed by a
// repeating digit pattern.
Number argument(const char* lead, int digits)
{
    std::string text = lead;
    const std::string pattern = "7182818284590452353602874713526624977572470936999595749669676277";
    while (static_cast<int>(text.size()) < digits + 1)
        text += pattern;
    text.resize(static_cast<std::size_t>(digits) + 1);  // lead has one "." among its characters
    return Number::from_text(text);
}

struct Unary {
    const char* name;
    const char* lead;
    Number (Number::*ours)(int) const;
    int (*mpfr)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
};

const Unary kUnary[] = {
    {"sqrt", "1.", &Number::sqrt, mpfr_sqrt},   {"cbrt", "1.", &Number::cbrt, mpfr_cbrt},
    {"exp", "1.", &Number::exp, mpfr_exp},      {"ln", "1.", &Number::ln, mpfr_log},
    {"log10", "1.", &Number::log10, mpfr_log10}, {"sin", "1.", &Number::sin, mpfr_sin},
    {"cos", "1.", &Number::cos, mpfr_cos},      {"tan", "1.", &Number::tan, mpfr_tan},
    {"asin", "0.", &Number::asin, mpfr_asin},   {"acos", "0.", &Number::acos, mpfr_acos},
    {"atan", "1.", &Number::atan, mpfr_atan},   {"sinh", "1.", &Number::sinh, mpfr_sinh},
    {"cosh", "1.", &Number::cosh, mpfr_cosh},   {"tanh", "1.", &Number::tanh, mpfr_tanh},
    {"asinh", "1.", &Number::asinh, mpfr_asinh}, {"acosh", "1.", &Number::acosh, mpfr_acosh},
    {"atanh", "0.", &Number::atanh, mpfr_atanh},
};

mpfr_prec_t bits(int digits) { return static_cast<mpfr_prec_t>(std::ceil(digits * 3.321928094887362)); }

void to_mpfr(mpfr_ptr r, const Number& x) { mpfr_set_str(r, x.to_scientific().c_str(), 10, MPFR_RNDN); }

void register_unary(const Unary& f, int digits)
{
    const Number x = argument(f.lead, digits);
    benchmark::RegisterBenchmark((std::string("Number/") + f.name + "/" + std::to_string(digits)).c_str(),
                                 [x, f, digits](benchmark::State& state) {
                                     for (auto _ : state)
                                         benchmark::DoNotOptimize((x.*f.ours)(digits - 1));
                                 });
    benchmark::RegisterBenchmark((std::string("MPFR/") + f.name + "/" + std::to_string(digits)).c_str(),
                                 [x, f, digits](benchmark::State& state) {
                                     mpfr_t xv, y;
                                     mpfr_inits2(bits(digits), xv, y, static_cast<mpfr_ptr>(nullptr));
                                     to_mpfr(xv, x);
                                     for (auto _ : state) {
                                         f.mpfr(y, xv, MPFR_RNDN);
                                         benchmark::DoNotOptimize(y);
                                     }
                                     mpfr_clears(xv, y, static_cast<mpfr_ptr>(nullptr));
                                 });
}

void register_binary(int digits)
{
    const Number x = argument("1.", digits);
    const Number y = argument("2.", digits);
    const std::string suffix = "/" + std::to_string(digits);
    benchmark::RegisterBenchmark(("Number/pow" + suffix).c_str(), [=](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(x.pow(y, digits - 1));
    });
    benchmark::RegisterBenchmark(("MPFR/pow" + suffix).c_str(), [=](benchmark::State& state) {
        mpfr_t xv, yv, r;
        mpfr_inits2(bits(digits), xv, yv, r, static_cast<mpfr_ptr>(nullptr));
        to_mpfr(xv, x);
        to_mpfr(yv, y);
        for (auto _ : state) {
            mpfr_pow(r, xv, yv, MPFR_RNDN);
            benchmark::DoNotOptimize(r);
        }
        mpfr_clears(xv, yv, r, static_cast<mpfr_ptr>(nullptr));
    });
    benchmark::RegisterBenchmark(("Number/divide" + suffix).c_str(), [=](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(x.divide(y, digits - 1));
    });
    benchmark::RegisterBenchmark(("MPFR/divide" + suffix).c_str(), [=](benchmark::State& state) {
        mpfr_t xv, yv, r;
        mpfr_inits2(bits(digits), xv, yv, r, static_cast<mpfr_ptr>(nullptr));
        to_mpfr(xv, x);
        to_mpfr(yv, y);
        for (auto _ : state) {
            mpfr_div(r, xv, yv, MPFR_RNDN);
            benchmark::DoNotOptimize(r);
        }
        mpfr_clears(xv, yv, r, static_cast<mpfr_ptr>(nullptr));
    });
    benchmark::RegisterBenchmark(("Number/pi" + suffix).c_str(), [=](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(Number::pi(digits - 1));
    });
    benchmark::RegisterBenchmark(("MPFR/pi" + suffix).c_str(), [=](benchmark::State& state) {
        mpfr_t r;
        mpfr_init2(r, bits(digits));
        for (auto _ : state) {
            mpfr_const_pi(r, MPFR_RNDN);
            benchmark::DoNotOptimize(r);
        }
        mpfr_clear(r);
    });
}

void BM_NumberFactorial(benchmark::State& state)
{
    const Number n(100000);
    for (auto _ : state)
        benchmark::DoNotOptimize(n.factorial());
}
BENCHMARK(BM_NumberFactorial)->Name("Number/factorial/100000")->Unit(benchmark::kMicrosecond);

void BM_GmpFactorial(benchmark::State& state)
{
    mpz_t f;
    mpz_init(f);
    for (auto _ : state) {
        mpz_fac_ui(f, 100000);
        benchmark::DoNotOptimize(f);
    }
    mpz_clear(f);
}
BENCHMARK(BM_GmpFactorial)->Name("GMP/factorial/100000")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    for (const int digits : {35, 80, 532}) {
        for (const Unary& f : kUnary)
            register_unary(f, digits);
        register_binary(digits);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
