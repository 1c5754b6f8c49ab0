// The page's module driven the way the page drives it: one step per line,
// with its text and its colour and clearing calls in one stream, in order.
import assert from "node:assert/strict";
import { readFile } from "node:fs/promises";
import { test } from "node:test";

import { startProgram } from "../../web/system.js";

const module = await WebAssembly.compile(await readFile(process.env.POINTEREK_PAGE_MODULE));

const START =
    "\nPointerek - Numerikus adatok tárolási formátuma (T.Z)\n" + "-".repeat(53) + "\n\n" +
    " - A program megjeleníti egy 2 bájtos egész\n" +
    "   (-32768 --► 32767), illetve egy egyszeres pontosságú\n" +
    "   lebegőpontos szám memóriában tárolt alakját.\n" +
    " - Ha a megadott szám pontot tartalmaz, akkor a program\n" +
    "   lebegőpontosnak, egyébként egésznek tekinti a számot.\n" +
    " - Kilépés a ciklusból: k\n";
const PROMPT = "\n Kérem a számot: ";
const INVALID = "\n  Érvénytelen karakter(ek).\n";
// Console attributes: light grey on black, then blue, green, black and
// light red text on light grey.
const GREY = "[77]", BLUE = "[71]", GREEN = "[72]", BLACK = "[70]", RED = "[7c]";
const CLEAR = "[clear]";

// The whole run as one string: text as it came, attributes in brackets.
function run(lines) {
    const chunks = [];
    const program = startProgram(module, {
        write: (bytes) => chunks.push(bytes),
        setAttribute: (attribute) => chunks.push(Buffer.from(`[${attribute.toString(16).padStart(2, "0")}]`)),
        clear: () => chunks.push(Buffer.from(CLEAR)),
    });
    const answers = lines.map((line) => program.answer(new TextEncoder().encode(line)));
    return { screen: Buffer.concat(chunks).toString("utf8"), answers };
}

test("the start-up screen, a float, an invalid line and leaving, in their colours", () => {
    const { screen, answers } = run(["1.5", "abc", "k"]);
    assert.equal(
        screen,
        GREY + BLUE + CLEAR + START + GREEN + PROMPT +
            BLACK + "\n  Lebegőpontos szám   :  1.50000000E+00\n  A memóriában (hexa) :  3F C0 00 00" +
            "\n  A memóriában (bin)  :  0011 1111  1100 0000  0000 0000  0000 0000\n" + GREEN + PROMPT +
            RED + INVALID + GREEN + PROMPT +
            "\n",
    );
    assert.deepEqual(answers, [true, true, false]);
});

test("each step reads exactly its own line, however long", () => {
    const { screen, answers } = run(["9".repeat(5000), "-5", ""]);
    assert.equal(
        screen.slice(screen.indexOf(START) + START.length),
        GREEN + PROMPT + RED + INVALID + GREEN + PROMPT +
            BLACK + "\n  Egész szám          :  -5\n  A memóriában (hexa) :  FF FB" +
            "\n  A memóriában (bin)  :  1111 1111  1111 1011\n" + GREEN + PROMPT + "\n",
    );
    assert.deepEqual(answers, [true, true, false]);
});

test("a new run starts afresh, from the console's default colours", () => {
    run(["-5"]);
    const { screen } = run([]);
    assert.equal(screen, GREY + BLUE + CLEAR + START + GREEN + PROMPT);
});
