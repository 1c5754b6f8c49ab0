#include "dialogue/exact.h"

#include <cstdint>
#include <cstring>

namespace {

// Unsigned integers as base-1e9 limbs, least significant first: enough for
// every finite double times a power of five, 2^53 * 5^1074 < 10^767.
constexpr std::uint32_t limb_base = 1000000000;
constexpr int max_limbs = max_exact_digits / 9;

struct big_number {
    std::uint32_t limbs[max_limbs];
    int count;
};

void multiply(big_number* n, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < n->count; ++i) {
        const std::uint64_t product = static_cast<std::uint64_t>(n->limbs[i]) * factor + carry;
        n->limbs[i] = static_cast<std::uint32_t>(product % limb_base);
        carry = product / limb_base;
    }
    while (carry != 0) {
        n->limbs[n->count++] = static_cast<std::uint32_t>(carry % limb_base);
        carry /= limb_base;
    }
}

// Writes the decimal digits of n, most significant first, without leading
// zeros; returns their count.
int decimal_digits(const big_number* n, char* digits) {
    int length = 0;
    for (int i = n->count - 1; i >= 0; --i) {
        char limb[9];
        std::uint32_t value = n->limbs[i];
        for (int k = 8; k >= 0; --k) {
            limb[k] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
        int first = 0;
        if (i == n->count - 1) {
            while (first < 8 && limb[first] == '0') {
                ++first;
            }
        }
        for (int k = first; k < 9; ++k) {
            digits[length++] = limb[k];
        }
    }
    return length;
}

} // namespace

int exact_digits(double value, char* digits, int* exponent10) {
    // |value| = mantissa * 2^exponent2, read from the binary64 fields.
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value, "a double is eight bytes");
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent2 = biased == 0 ? -1074 : biased - 1075;
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
    }
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++exponent2;
    }
    big_number n{};
    n.limbs[0] = static_cast<std::uint32_t>(mantissa % limb_base);
    n.limbs[1] = static_cast<std::uint32_t>(mantissa / limb_base % limb_base);
    n.limbs[2] = static_cast<std::uint32_t>(mantissa / limb_base / limb_base);
    n.count = n.limbs[2] != 0 ? 3 : n.limbs[1] != 0 ? 2 : 1;
    int scale = 0;
    // value = mantissa * 2^e; for e < 0 that is mantissa * 5^-e / 10^-e.
    for (int e = exponent2; e > 0; e -= 28) {
        multiply(&n, std::uint32_t{1} << (e < 28 ? e : 28));
    }
    for (int e = -exponent2; e > 0; e -= 13) {
        std::uint32_t power = 1;
        for (int k = 0; k < (e < 13 ? e : 13); ++k) {
            power *= 5;
        }
        multiply(&n, power);
    }
    if (exponent2 < 0) {
        scale = exponent2;
    }
    const int length = decimal_digits(&n, digits);
    *exponent10 = length - 1 + scale;
    return length;
}
