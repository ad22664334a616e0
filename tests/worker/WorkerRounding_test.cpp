// The worker's result text against an independent reference at every digit
// count it accepts (1 to 600), for results built to lie next to a rounding
// boundary of the report: the text must be the exact result rounded once,
// half away from zero.
//
// The operands carry one digit more than the request, so the worker computes
// one digit beyond the report and rounds again for the text: exactly where a
// double rounding would be one unit off.
#include <gtest/gtest.h>
#include <gmpxx.h>
#include <mpfr.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "worker/CalcWorker.h"
#include "worker/RequestExecution.h"

namespace {

class LastReport : public ICalcCompleteCallback {
public:
    HRESULT NotifyResult(int, const std::string& status, const std::string& text, int) override {
        m_status = status;
        m_text = text;
        return S_OK;
    }
    std::string m_status;
    std::string m_text;
};

std::string OperationText(const std::string& lhs, const char* op, const std::string& rhs, int digits) {
    CCalcWorker lookup(std::make_shared<CWorkerProcess>());
    auto record = std::make_shared<OpThreadPackage>();
    record->digits = digits;
    record->lhs = lhs;
    record->rhs = rhs;
    if (!lookup.LookupOperator(op, &record->opType))
        return "no operator";
    auto callback = std::make_shared<LastReport>();
    record->callback = callback;
    PerformOperationThreadProc(record);
    return callback->m_status + " " + callback->m_text;
}

std::string FunctionText(const char* name, const std::string& arg, int digits) {
    CCalcWorker lookup(std::make_shared<CWorkerProcess>());
    auto record = std::make_shared<SingleArgFuncThreadPackage>();
    record->digits = digits;
    record->arg = arg;
    if (!lookup.LookupFunction(name, &record->routine))
        return "no function";
    auto callback = std::make_shared<LastReport>();
    record->callback = callback;
    ApplySinglArgFuncThreadProc(record);
    return callback->m_status + " " + callback->m_text;
}

std::string Success(const Number& value, int digits) { return "Success " + value.to_scientific(digits); }

// Exact results a hair from a report midpoint, from the report's point of view.
struct RoundingRow {
    const char* name;  // a function, or an operator between lhs and rhs
    const char* lhs;
    const char* rhs;   // nullptr for a function
    int digits;
    const char* text;
};

void PrintTo(const RoundingRow& row, std::ostream* os) { *os << row.name << " " << row.lhs << " at " << row.digits; }

class WorkerRoundingRows : public ::testing::TestWithParam<RoundingRow> {};

TEST_P(WorkerRoundingRows, RoundOnce) {
    const RoundingRow& row = GetParam();
    const std::string text = row.rhs ? OperationText(row.lhs, row.name, row.rhs, row.digits)
                                     : FunctionText(row.name, row.lhs, row.digits);
    EXPECT_EQ(text, std::string("Success ") + row.text);
}

INSTANTIATE_TEST_SUITE_P(
    WorkerExec, WorkerRoundingRows,
    ::testing::Values(
        // exact 0.99999999998653564521...
        RoundingRow{"/", "2143511550722893", "2143511550751754", 15, "9.999999999865356E-1"},
        // exact 0.9999999999999600000047...
        RoundingRow{"ln", "2.7182818284589365041", nullptr, 19, "9.9999999999996000000E-1"},
        // exact 2302.5850929940449500...
        RoundingRow{"ln", "9.99999999999266E+999", nullptr, 14, "2.30258509299404E+3"},
        // Exact midpoints round away from zero.
        RoundingRow{"/", "1", "8", 1, "1.3E-1"}, RoundingRow{"/", "-1", "8", 1, "-1.3E-1"},
        RoundingRow{"sqrt", "0.015625", nullptr, 1, "1.3E-1"},
        RoundingRow{"^", "0.5", "3", 1, "1.3E-1"}, RoundingRow{"ncr", "55", "22", 14, "1.30085362566023E+15"}));

// ---------------------------------------------------------------- built next to a midpoint

// a / b within 5 / (b 10^(digits + 1)) below (or above) the midpoint m /
// 10^(digits + 1), m of digits + 2 digits ending in 5, with a and b of at
// most digits + 2 digits: the quotient rounded to digits + 1 or digits + 2
// places is the midpoint itself.
struct NearMidpoint {
    mpz_class a, b, m;
};

NearMidpoint BuildQuotient(std::mt19937_64& rng, int digits, bool below) {
    static const char* const kEndings[] = {"05", "15", "35", "45", "55", "65", "85", "95"};
    for (;;) {
        std::string text(1, static_cast<char>('1' + rng() % 9));
        for (int i = 1; i < digits; ++i)
            text += static_cast<char>('0' + rng() % 10);
        text += kEndings[rng() % 8];  // m = 5 m' with m' prime to 10
        NearMidpoint q;
        q.m = mpz_class(text);
        mpz_class modulus;
        mpz_ui_pow_ui(modulus.get_mpz_t(), 10, static_cast<unsigned long>(digits));
        modulus *= 2;
        const mpz_class m5 = q.m / 5;
        mpz_class inverse;
        mpz_invert(inverse.get_mpz_t(), m5.get_mpz_t(), modulus.get_mpz_t());
        // m' b = 1 (below) or -1 (above) modulo 2 10^digits, so m b - 5 (or
        // m b + 5) is a multiple of 10^(digits + 1): a times it.
        q.b = below ? inverse : mpz_class(modulus - inverse);
        mpz_class scale;
        mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(digits) + 1);
        const mpz_class top = below ? mpz_class(q.m * q.b - 5) : mpz_class(q.m * q.b + 5);
        if (sgn(q.b) <= 0 || top % scale != 0)
            continue;
        q.a = top / scale;
        if (sgn(q.a) > 0)
            return q;
    }
}

// The reference: MPFR 60 digits beyond the report, then rounded half away
// from zero in decimal.
using Evaluate = std::function<void(mpfr_ptr, mpfr_srcptr, mpfr_srcptr)>;

Number Reference(const Evaluate& f, const Number& x, const Number& y, int digits) {
    const int total = digits + 1 + 60;
    const auto prec = static_cast<mpfr_prec_t>(total * 3.33 + 64);
    mpfr_t xv, yv, r;
    mpfr_inits2(prec, xv, yv, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_str(xv, x.to_scientific().c_str(), 10, MPFR_RNDN);
    mpfr_set_str(yv, y.to_scientific().c_str(), 10, MPFR_RNDN);
    f(r, xv, yv);
    mpfr_exp_t e10 = 0;
    char* raw = mpfr_get_str(nullptr, &e10, 10, static_cast<std::size_t>(total), r, MPFR_RNDN);
    const std::string text = raw;
    mpfr_free_str(raw);
    mpfr_clears(xv, yv, r, static_cast<mpfr_ptr>(nullptr));
    const bool negative = text[0] == '-';
    const std::string body = text.substr(negative ? 1 : 0);
    // The digits kept, plus one unit when the rest is at least half a unit.
    mpz_class kept(body.substr(0, static_cast<std::size_t>(digits) + 1));
    if (body[static_cast<std::size_t>(digits) + 1] >= '5')
        kept += 1;
    const Number value = Number::from_text((negative ? "-" : "") + kept.get_str() + "E" +
                                           std::to_string(e10 - digits - 1));
    return value;
}

struct Function {
    const char* name;                 // worker function, or "^"
    Number (*ours)(const Number&, const Number&, int places);
    Evaluate reference;
    int low, high;                    // decimal exponents of the argument
    bool negative;                    // arguments of both signs
};

Evaluate Unary(int (*op)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t)) {
    return [op](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { op(r, x, MPFR_RNDN); };
}

const Function kFunctions[] = {
    {"ln", [](const Number& x, const Number&, int p) { return x.ln(p); }, Unary(mpfr_log), -20, 20, false},
    {"log", [](const Number& x, const Number&, int p) { return x.log10(p); }, Unary(mpfr_log10), -20, 20, false},
    {"exp", [](const Number& x, const Number&, int p) { return x.exp(p); }, Unary(mpfr_exp), -4, 1, true},
    {"sqrt", [](const Number& x, const Number&, int p) { return x.sqrt(p); }, Unary(mpfr_sqrt), -20, 20, false},
    {"cbrt", [](const Number& x, const Number&, int p) { return x.cbrt(p); }, Unary(mpfr_cbrt), -20, 20, true},
    {"sin", [](const Number& x, const Number&, int p) { return x.sin(p); }, Unary(mpfr_sin), -4, 0, true},
    {"atan", [](const Number& x, const Number&, int p) { return x.atan(p); }, Unary(mpfr_atan), -5, 5, true},
    {"tanh", [](const Number& x, const Number&, int p) { return x.tanh(p); }, Unary(mpfr_tanh), -4, 0, true},
    {"reciprocal", [](const Number& x, const Number&, int p) { return Number(1).divide(x, p); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { mpfr_ui_div(r, 1, x, MPFR_RNDN); }, -20, 20, true},
    {"^", [](const Number& x, const Number& y, int p) { return x.pow(y, p); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { mpfr_pow(r, x, y, MPFR_RNDN); }, -2, 1, false},
};

// A random number of exactly `digits` significant digits.
Number RandomNumber(std::mt19937_64& rng, int digits, int low, int high, bool negative) {
    std::string text = (negative && (rng() & 1)) ? "-" : "";
    text += static_cast<char>('1' + rng() % 9);
    text += '.';
    for (int i = 1; i < digits - 1; ++i)
        text += static_cast<char>('0' + rng() % 10);
    text += static_cast<char>('1' + rng() % 9);
    text += "E" + std::to_string(low + static_cast<int>(rng() % static_cast<unsigned>(high - low + 1)));
    return Number::from_text(text);
}

// Whether value has digits + 2 significant digits ending in 5.
bool OnMidpoint(const Number& value, int digits) {
    if (value.significant_digits() != digits + 2)
        return false;
    const std::string text = value.to_scientific();
    return text[text.find('E') - 1] == '5';
}

class WorkerRoundingEveryDigitCount : public ::testing::TestWithParam<int> {};

TEST_P(WorkerRoundingEveryDigitCount, QuotientsNextToAMidpoint) {
    const int first = GetParam();
    std::mt19937_64 rng(19U + static_cast<unsigned>(first));
    for (int digits = first; digits < first + 50; ++digits) {
        for (const bool below : {true, false}) {
            const NearMidpoint q = BuildQuotient(rng, digits, below);
            // Truncate the midpoint's 5, or round it up.
            const Number kept = Number::from_text(mpz_class(q.m / 10 + (below ? 0 : 1)).get_str() + "E-" +
                                                  std::to_string(digits));
            EXPECT_EQ(OperationText(q.a.get_str(), "/", q.b.get_str(), digits), Success(kept, digits))
                << q.a.get_str() << " / " << q.b.get_str() << " at " << digits << " digits, "
                << (below ? "below " : "above ") << q.m.get_str();
        }
    }
}

TEST_P(WorkerRoundingEveryDigitCount, FunctionsNextToAMidpoint) {
    const int first = GetParam();
    std::mt19937_64 rng(20261210U + static_cast<unsigned>(first));
    constexpr int kCount = sizeof kFunctions / sizeof kFunctions[0];
    for (int digits = first; digits < first + 50; ++digits) {
        for (const int pick : {digits % kCount, (digits + 5) % kCount}) {
            const Function& f = kFunctions[pick];
            const bool binary = std::string(f.name) == "^";
            // Arguments of digits + 1 digits, tried until the worker's first
            // value (at digits + 1 places) is a midpoint of the report.
            Number x, y;
            for (int attempt = 0; attempt < 200; ++attempt) {
                x = RandomNumber(rng, digits + 1, f.low, f.high, f.negative);
                y = binary ? RandomNumber(rng, digits + 1, -1, 0, true) : Number(0);
                if (OnMidpoint(f.ours(x, y, digits + 1), digits))
                    break;
            }
            const Number expected = Reference(f.reference, x, y, digits);
            const std::string arg = x.to_scientific();
            const std::string text = binary ? OperationText(arg, "^", y.to_scientific(), digits)
                                            : FunctionText(f.name, arg, digits);
            EXPECT_EQ(text, Success(expected, digits))
                << f.name << "(" << arg << (binary ? ", " + y.to_scientific() : "") << ") at " << digits
                << " digits";
        }
    }
}

// Digit counts 1 to 600 in blocks of 50.
INSTANTIATE_TEST_SUITE_P(WorkerExec, WorkerRoundingEveryDigitCount, ::testing::Range(1, 601, 50));

}  // namespace
