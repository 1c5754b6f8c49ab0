#!/usr/bin/env python3
"""The page's explanation against exact rational arithmetic, and its typing
lines against the program's own reading.

    explain_test.py --explain CMD... --program CMD...

CMD runs explain_check (the explanation's facts) and the program; under a
cross build each starts with its emulator. Every number in the facts is
checked against Python's fractions; every "line" fact is typed into the
program, which must show exactly that pattern, and is at most 59 bytes.
"""
import random
import struct
import subprocess
import sys
from fractions import Fraction

MAX_LINE = 59


def arguments():
    args = sys.argv[1:]
    explain = args[args.index("--explain") + 1:args.index("--program")]
    program = args[args.index("--program") + 1:]
    return explain, program


def run(command, text):
    result = subprocess.run(command, input=text.encode(), stdout=subprocess.PIPE, check=True,
                            start_new_session=True, timeout=600)
    return result.stdout.decode()


def ask(explain, requests):
    """The facts of each request, as dictionaries."""
    answers = run(explain, "".join(f"{r}\n" for r in requests)).split("\n\n")[:-1]
    assert len(answers) == len(requests), (len(answers), len(requests))
    return [dict(line.split(" ", 1) if " " in line else (line, "") for line in a.split("\n")) for a in answers]


def plain(value):
    """Every digit of a fraction whose denominator divides a power of ten."""
    sign = "-" if value < 0 else ""
    value = abs(value)
    # A denominator 2^a 5^b needs max(a, b) places.
    twos = fives = 0
    rest = value.denominator
    while rest % 2 == 0:
        rest, twos = rest // 2, twos + 1
    while rest % 5 == 0:
        rest, fives = rest // 5, fives + 1
    assert rest == 1, value
    places = max(twos, fives)
    digits = str(value.numerator * 10**places // value.denominator).rjust(places + 1, "0")
    whole, fraction = digits[:len(digits) - places], digits[len(digits) - places:]
    return sign + whole + ("." + fraction if places else "")


def float_value(bits):
    sign = -1 if bits >> 31 else 1
    biased, fraction = bits >> 23 & 0xFF, bits & 0x7FFFFF
    if biased == 0:
        return sign * Fraction(fraction, 2**149)
    return sign * Fraction(0x800000 | fraction) * Fraction(2) ** (biased - 150)


def finite(bits):
    return bits >> 23 & 0xFF != 0xFF


def neighbours(bits):
    """The floats just below and above, found by value among all candidates."""
    value = float_value(bits)
    candidates = [b for b in {(bits + 1) & 0xFFFFFFFF, (bits - 1) & 0xFFFFFFFF, 1, 0x80000001} if finite(b)]
    below = max((b for b in candidates if float_value(b) < value), key=float_value, default=None)
    above = min((b for b in candidates if float_value(b) > value), key=float_value, default=None)
    return below, above


def exact_run(text):
    """The exact value of a decimal or hexadecimal number as typed."""
    sign = -1 if text.startswith("-") else 1
    text = text.lstrip("+-")
    if text[:2].lower() == "0x":
        mantissa, _, power = text[2:].lower().partition("p")
        whole, _, fraction = mantissa.partition(".")
        digits = int((whole + fraction) or "0", 16)
        return sign * Fraction(digits) * Fraction(2) ** (int(power or "0") - 4 * len(fraction))
    return sign * Fraction(text)


def check_float(bits, facts):
    where = f"{bits:08X}"
    biased, fraction = bits >> 23 & 0xFF, bits & 0x7FFFFF
    assert facts["pattern"] == where, where
    assert facts["bits"] == f"{bits:032b}", where
    assert facts["sign"] == str(bits >> 31), where
    assert facts["exponent"] == str(biased) and facts["exponent_bits"] == f"{biased:08b}", where
    assert facts["fraction_bits"] == f"{fraction:023b}", where
    assert facts["bytes"] == " ".join(f"{b:02X}" for b in struct.pack("<I", bits)), where
    if biased == 0xFF:
        expected = "infinity" if fraction == 0 else "quiet_nan" if fraction >> 22 else "signalling_nan"
        assert facts["class"] == expected, where
        assert "stored" not in facts, where
        return
    assert facts["class"] == ("normal" if biased else "denormal" if fraction else "zero"), where
    assert facts["power"] == str(biased - 127 if biased else -126), where
    assert facts["significand"] == f"{1 if biased else 0}.{fraction:023b}", where
    value = float_value(bits)
    assert facts["stored"] == plain(value), where
    below, above = neighbours(bits)
    for name, gap, neighbour, infinity in [("below", "gap_below", below, "-INF"), ("above", "gap_above", above, "INF")]:
        if neighbour is None:
            assert facts[name] == infinity, where
        else:
            assert facts[name] == plain(float_value(neighbour)), (where, name)
            assert facts[gap] == plain(abs(float_value(neighbour) - value)), (where, gap)


def check_integer(bits, facts):
    where = f"{bits:04X}"
    value = bits - 0x10000 if bits & 0x8000 else bits
    assert facts["value"] == str(value), where
    assert facts["bits"] == f"{bits:016b}", where
    assert facts["bytes"] == f"{bits & 0xFF:02X} {bits >> 8:02X}", where
    weights = [int(w) for w in facts["weights"].split()]
    assert sum(weights) == value and all(w in [-32768] + [2**k for k in range(15)] for w in weights), where
    if value < 0:
        assert int(facts["magnitude"]) == -value == int(facts["inverted"], 2) + 1, where


def program_patterns(program, lines):
    """What the program shows for each line: the hexadecimal image."""
    output = run(program, "".join(f"{line}\n" for line in lines))
    return [row.split(":", 1)[1].strip().replace(" ", "") for row in output.splitlines()
            if row.startswith("  A mem") and "(hexa)" in row]


def check_typing_lines(program, kinds_and_bits, answers):
    lines, wanted = [], []
    for (kind, bits), facts in zip(kinds_and_bits, answers):
        nan = kind == "float" and not finite(bits) and bits & 0x7FFFFF
        if "line" not in facts:
            assert nan and bits != 0x7FC00000, f"{kind} {bits:X} has no line"
            continue
        line = facts["line"]
        assert 0 < len(line.encode()) <= MAX_LINE, line
        lines.append(line)
        wanted.append(f"{bits:08X}" if kind == "float" else f"{bits:04X}")
    shown = program_patterns(program, lines)
    assert shown == wanted, next((l, w, s) for l, w, s in zip(lines, wanted, shown) if w != s)
    return len(lines)


def main():
    explain, program = arguments()
    random.seed(20261210)

    # The table of cases, as typed lines.
    table = {
        "0.1": ("float", 0x3DCCCCCD), "1.5": ("float", 0x3FC00000), "-0.0": ("float", 0x80000000),
        "1e-45.": ("float", 0x00000001), "3.4028235e38-": ("float", 0x7F7FFFFF),
        "0x1p-126.": ("float", 0x00800000), "inf.-": ("float", 0x7F800000),
        "-9" + "9" * 39 + ".": ("float", 0xFF800000), "nan.-": ("float", 0x7FC00000),
        "16777217.": ("float", 0x4B800000), "32767": ("integer", 0x7FFF), "-32768": ("integer", 0x8000),
        "-1": ("integer", 0xFFFF), "1e-1": ("integer", 0x0000),
    }
    facts = ask(explain, [f"line {line}" for line in table])
    for (line, (kind, bits)), answer in zip(table.items(), facts):
        assert answer["kind"] == kind, line
        (check_float if kind == "float" else check_integer)(bits, answer)
        if kind == "float" and finite(bits) and "typed_exact" in answer:
            typed = exact_run(answer["typed"])
            assert answer["typed_exact"] == plain(typed), line
            error = typed - float_value(bits)
            assert answer["error"] == plain(error), line
            ulp = Fraction(2) ** ((bits >> 23 & 0xFF or 1) - 150)
            assert answer["error_ulp"] == plain(error / ulp), line
    assert facts[0]["error"] == "-0.000000001490116119384765625" and facts[0]["error_ulp"] == "-0.2"
    assert facts[9]["error"] == "1" and facts[9]["error_ulp"] == "0.5"  # 16777217 rounds to even
    assert facts[13]["float"] == "0.100000001490116119384765625" and facts[13]["value"] == "0"

    # Messages: the byte that breaks the rule, the value that is too large.
    messages = ask(explain, ["line abc", "line 12-3x", "line 1,5", "line 32768", "line " + "9" * 70])
    assert (messages[0]["position"], messages[0]["byte"]) == ("1", "61")
    assert (messages[1]["position"], messages[1]["byte"], messages[1]["dash"]) == ("5", "78", "3")
    assert (messages[2]["position"], messages[2]["byte"]) == ("2", "2C")
    assert messages[3]["kind"] == "too_large" and messages[3]["float"] == "32768"
    assert messages[4]["long"] == "70"

    # Every class of float, and a large random sample, with the extremes
    # (denormals, the largest magnitudes, both signs) drawn more often.
    patterns = [0, 0x80000000, 1, 0x80000001, 0x007FFFFF, 0x807FFFFF, 0x00800000, 0x80800000, 0x7F7FFFFF,
                0xFF7FFFFF, 0x7F800000, 0xFF800000, 0x7FC00000, 0x7F800001, 0xFFC00000, 0x3F800000, 0x4B800001]
    for _ in range(6000):
        patterns.append(random.getrandbits(32))
        patterns.append(random.getrandbits(1) << 31 | random.getrandbits(23))  # a denormal
        patterns.append(random.getrandbits(1) << 31 | random.choice([1, 253, 254]) << 23 | random.getrandbits(23))
    float_facts = ask(explain, [f"float {bits:08X}" for bits in patterns])
    for bits, answer in zip(patterns, float_facts):
        check_float(bits, answer)
    integers = list(range(0x10000))
    integer_facts = ask(explain, [f"integer {bits:04X}" for bits in integers])
    for bits, answer in zip(integers, integer_facts):
        check_integer(bits, answer)

    typed = check_typing_lines(program, [("float", b) for b in patterns] + [("integer", b) for b in integers],
                               float_facts + integer_facts)
    print(f"{len(table) + len(patterns) + len(integers)} explanations exact; {typed} typing lines read back")


if __name__ == "__main__":
    main()
