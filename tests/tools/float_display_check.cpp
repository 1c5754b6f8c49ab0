// Checks how the program shows float values, the value line and the memory
// image, against a reference computed another way: exact rational
// arithmetic on binary big integers, rounded half away from zero at nine
// digits, and the bytes read from the float object itself.
//
//   float_display_check           all 2^32 bit patterns, in two processes
//   float_display_check --sample  the boundaries, exact halfway cases and a
//                                 fixed stride through the whole range
//
// Prints what it checked and the first mismatches; exits 1 on any.
#include "dialogue/render.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Unsigned integers of 384 bits, base 2^32, least significant limb first.
constexpr int limbs = 12;
struct wide {
    std::uint32_t limb[limbs];
};

wide make_wide(std::uint64_t value) {
    wide w{};
    w.limb[0] = static_cast<std::uint32_t>(value);
    w.limb[1] = static_cast<std::uint32_t>(value >> 32);
    return w;
}

void multiply(wide* w, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : w->limb) {
        const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) {
        std::fprintf(stderr, "overflow\n");
        std::abort();
    }
}

void multiply_by_power_of_ten(wide* w, int power) {
    for (; power >= 9; power -= 9) {
        multiply(w, 1000000000u);
    }
    for (; power > 0; --power) {
        multiply(w, 10);
    }
}

void multiply_by_power_of_two(wide* w, int power) {
    for (; power >= 31; power -= 31) {
        multiply(w, 1u << 31);
    }
    multiply(w, 1u << power);
}

int compare(const wide& a, const wide& b) {
    for (int i = limbs - 1; i >= 0; --i) {
        if (a.limb[i] != b.limb[i]) {
            return a.limb[i] < b.limb[i] ? -1 : 1;
        }
    }
    return 0;
}

wide subtract(const wide& a, const wide& b) {
    wide difference{};
    std::int64_t borrow = 0;
    for (int i = 0; i < limbs; ++i) {
        std::int64_t d = static_cast<std::int64_t>(a.limb[i]) - b.limb[i] - borrow;
        borrow = d < 0 ? 1 : 0;
        difference.limb[i] = static_cast<std::uint32_t>(d + (borrow << 32));
    }
    return difference;
}

wide times(wide w, std::uint32_t factor) {
    multiply(&w, factor);
    return w;
}

// The value line's text for a float, and whether it was an exact halfway case.
std::string reference_value_text(float value, bool* halfway) {
    *halfway = false;
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 31) != 0;
    const unsigned exponent_field = (bits >> 23) & 0xFF;
    const std::uint32_t fraction = bits & 0x7FFFFF;
    if (exponent_field == 0xFF) {
        return fraction != 0 ? "         NAN" : negative ? "        -INF" : "         INF";
    }
    const std::string sign = negative ? "-" : "";
    if (exponent_field == 0 && fraction == 0) {
        return sign + "0.00000000E+00";
    }
    // |value| = m * 2^e exactly.
    const std::uint32_t m = exponent_field == 0 ? fraction : fraction | 0x800000;
    const int e = exponent_field == 0 ? -149 : static_cast<int>(exponent_field) - 150;

    // Find x with 10^8 <= |value| * 10^(8-x) < 10^9, as the fraction num/den.
    int x = static_cast<int>(std::floor(std::log10(std::fabs(static_cast<double>(value)))));
    wide num{}, den{};
    for (;;) {
        const int k = 8 - x;
        num = make_wide(m);
        den = make_wide(1);
        multiply_by_power_of_two(e >= 0 ? &num : &den, e >= 0 ? e : -e);
        multiply_by_power_of_ten(k >= 0 ? &num : &den, k >= 0 ? k : -k);
        if (compare(num, times(den, 100000000u)) < 0) {
            --x;
        } else if (compare(num, times(den, 1000000000u)) >= 0) {
            ++x;
        } else {
            break;
        }
    }
    // The nine digits q = floor(num / den): estimated in long double, then
    // corrected by exact comparisons.
    static long double powers_of_ten[120];
    if (powers_of_ten[0] == 0) {
        for (int k = 0; k < 120; ++k) {
            powers_of_ten[k] = std::pow(10.0L, k - 60);
        }
    }
    const long double estimate = std::fabs(static_cast<long double>(value)) * powers_of_ten[8 - x + 60];
    std::uint32_t q = static_cast<std::uint32_t>(estimate);
    while (compare(times(den, q), num) > 0) {
        --q;
    }
    while (compare(times(den, q + 1), num) <= 0) {
        ++q;
    }
    const wide twice_remainder = times(subtract(num, times(den, q)), 2);
    const int against_half = compare(twice_remainder, den);
    *halfway = against_half == 0;
    if (against_half >= 0) {
        ++q;
        if (q == 1000000000u) {
            q = 100000000u;
            ++x;
        }
    }
    char text[32];
    std::snprintf(text, sizeof text, "%s%u.%08uE%c%02d", sign.c_str(), q / 100000000u, q % 100000000u,
                  x < 0 ? '-' : '+', x < 0 ? -x : x);
    return text;
}

std::string reference_block(float value, bool* halfway) {
    // The float's own bytes, in memory order: least significant first.
    unsigned char bytes[4];
    std::memcpy(bytes, &value, sizeof bytes);
    std::string block = "\n  Lebeg\xC5\x91pontos sz\xC3\xA1m   :  " + reference_value_text(value, halfway) +
                        "\n  A mem\xC3\xB3ri\xC3\xA1"
                        "ban (hexa) :  ";
    char hex[16];
    std::snprintf(hex, sizeof hex, "%02X %02X %02X %02X", bytes[3], bytes[2], bytes[1], bytes[0]);
    block += hex;
    block += "\n  A mem\xC3\xB3ri\xC3\xA1"
             "ban (bin)  :";
    for (int i = 3; i >= 0; --i) {
        block += "  ";
        for (int bit = 7; bit >= 0; --bit) {
            if (bit == 3) {
                block += ' ';
            }
            block += ((bytes[i] >> bit) & 1) != 0 ? '1' : '0';
        }
    }
    return block + "\n";
}

struct checker {
    char* output = nullptr;
    std::size_t output_size = 0;
    std::uint64_t checked = 0;
    std::uint64_t halfway_cases = 0;
    int mismatches = 0;

    checker() {
        // The renderer writes to standard output: here, to memory.
        stdout = open_memstream(&output, &output_size);
    }

    void check(std::uint32_t bits) {
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        std::rewind(stdout);
        render_float(value);
        std::fflush(stdout);
        bool halfway = false;
        const std::string expected = reference_block(value, &halfway);
        ++checked;
        halfway_cases += halfway ? 1 : 0;
        if (expected.size() != output_size || std::memcmp(expected.data(), output, output_size) != 0) {
            if (++mismatches <= 10) {
                std::fprintf(stderr, "bits %08X: shown\n%.*s\nexpected\n%s\n", static_cast<unsigned>(bits),
                             static_cast<int>(output_size), output, expected.c_str());
            }
        }
    }
};

// Boundaries, every float next to a power of ten, and exact halfway cases:
// odd m with m * 5^k of ten digits ending in 5 make m * 2^-(k+1) halfway
// between two nine-digit results (k = 2..13 holds all of them).
std::vector<std::uint32_t> sample() {
    std::vector<std::uint32_t> bits = {0x00000000, 0x00000001, 0x00000002, 0x007FFFFF, 0x00800000,
                                       0x00800001, 0x3F800000, 0x7F7FFFFE, 0x7F7FFFFF, 0x7F800000,
                                       0x7F800001, 0x7FC00000, 0x7FFFFFFF, 0x43F13500, 0x39000000};
    for (int k = -46; k <= 39; ++k) {
        const float near = static_cast<float>(std::pow(10.0, k));
        std::uint32_t b = 0;
        std::memcpy(&b, &near, sizeof b);
        for (std::uint32_t d = b > 2 ? b - 2 : 0; d <= b + 2 && d < 0x7F800000; ++d) {
            bits.push_back(d);
        }
    }
    std::uint64_t five_to_k = 25;
    for (int k = 2; k <= 13; ++k, five_to_k *= 5) {
        const std::uint64_t first = (200000000u + five_to_k - 1) / five_to_k;
        const std::uint64_t last = 2000000000u / five_to_k;
        const std::uint64_t step = (last - first) / 200 + 1;
        for (std::uint64_t m = first | 1; m <= last && m < (1u << 24); m += step | 1) {
            if (m % 2 == 1 && m * five_to_k % 10 == 5) {
                const float value = std::ldexp(static_cast<float>(m), -(k + 1));
                std::uint32_t b = 0;
                std::memcpy(&b, &value, sizeof b);
                bits.push_back(b);
            }
        }
    }
    for (std::uint64_t b = 0; b <= 0xFFFFFFFFu; b += 9973) {
        bits.push_back(static_cast<std::uint32_t>(b));
    }
    std::vector<std::uint32_t> both_signs;
    for (const std::uint32_t b : bits) {
        both_signs.push_back(b);
        both_signs.push_back(b | 0x80000000u);
    }
    return both_signs;
}

} // namespace

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    const bool sampled = argc > 1 && std::strcmp(argv[1], "--sample") == 0;
    if (sampled) {
        checker c;
        for (const std::uint32_t bits : sample()) {
            c.check(bits);
        }
        std::fprintf(stderr, "sampled: %llu floats, %llu exact halfway cases, %d mismatches\n",
                     static_cast<unsigned long long>(c.checked),
                     static_cast<unsigned long long>(c.halfway_cases), c.mismatches);
        return c.mismatches == 0 && c.halfway_cases > 1000 ? 0 : 1;
    }

    // Two processes, one for each half of the bit patterns.
    constexpr int workers = 2;
    for (int part = 0; part < workers; ++part) {
        if (fork() == 0) {
            checker c;
            const std::uint64_t first = (std::uint64_t{1} << 32) / workers * part;
            const std::uint64_t end = (std::uint64_t{1} << 32) / workers * (part + 1);
            for (std::uint64_t b = first; b < end; ++b) {
                c.check(static_cast<std::uint32_t>(b));
            }
            std::fprintf(stderr, "part %d: %llu floats, %llu exact halfway cases, %d mismatches\n", part,
                         static_cast<unsigned long long>(c.checked),
                         static_cast<unsigned long long>(c.halfway_cases), c.mismatches);
            std::_Exit(c.mismatches == 0 ? 0 : 1);
        }
    }
    bool passed = true;
    for (int part = 0; part < workers; ++part) {
        int status = 0;
        wait(&status);
        passed = passed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "all 2^32 bit patterns: %s in %.0f s\n", passed ? "passed" : "FAILED", seconds);
    return passed ? 0 : 1;
}
