#include "engine/FormatNumber.h"

#include <algorithm>
#include <cstdint>

namespace {

std::string PlainText(const Number& value) { return value.is_integer() ? value.to_integer_text() : value.to_fixed(-1); }

}  // namespace

std::string FormatNumberText(const Number& value, int displayDigits, bool zeroBelowResolution, bool* rounded) {
    if (rounded)
        *rounded = false;
    const std::int64_t d = displayDigits;
    const std::int64_t e = value.exponent();
    if (zeroBelowResolution && e < 0 && -e > d)
        return "0";

    const std::int64_t s = value.significant_digits();
    const std::int64_t width = e >= 0 ? std::max(s, e) : -e + s;
    if (width + 2 < d)
        return PlainText(value);

    const Number r = value.round(static_cast<int>(std::max<std::int64_t>(d - 1, 0)));
    if (rounded)
        *rounded = true;
    const std::int64_t sr = r.significant_digits();
    const std::int64_t width2 = e >= 0 ? std::max(e, sr) : -e + sr - 1;
    if (width2 < d + 15)
        return PlainText(r);
    return r.to_scientific(-1);
}
