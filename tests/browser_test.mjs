// The page in a real browser (Debian's Chromium, headless), opened from
// disk: its screen row by row with its colours, paste, leaving and starting
// again, a touch screen; no console error and no request beyond the file.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { pathToFileURL } from "node:url";

import { chromium } from "playwright-core";

const PAGE = pathToFileURL(process.env.POINTEREK_PAGE).href;
const PROMPT = " Kérem a számot: ";
// xterm's classes for the ANSI colours that the console colours become.
const BLUE = "fg-4/bg-7", GREEN = "fg-2/bg-7", BLACK = "fg-0/bg-7", LIGHT_RED = "fg-9/bg-7";

let browser;
before(async () => {
    browser = await chromium.launch({
        executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
        // As root, without the sandbox; and no background traffic of its own.
        args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
               "--disable-component-update", "--disable-sync", "--disable-quic"],
    });
});
after(() => browser?.close());

// Opens the page in a new context; every request, console error and page
// error is kept, to be checked at the end.
async function open(t, options = { viewport: { width: 1000, height: 1400 } }) {
    const context = await browser.newContext(options);
    t.after(() => context.close());
    const page = await context.newPage();
    const seen = { requests: [], errors: [] };
    page.on("request", (request) => seen.requests.push(request.url()));
    page.on("console", (message) => message.type() === "error" && seen.errors.push(message.text()));
    page.on("pageerror", (error) => seen.errors.push(error.message));
    await page.goto(PAGE);
    await waitForPrompts(page, 1);
    t.after(() => {
        assert.deepEqual(seen.requests, [PAGE]);
        assert.deepEqual(seen.errors, []);
    });
    return page;
}

// The screen's rows as the DOM holds them: text, and the colours of the
// characters that are not blank.
function rows(page) {
    return page.$$eval(".xterm-rows > div", (divs) =>
        divs.map((div) => {
            const colours = new Set();
            for (const span of div.querySelectorAll("span")) {
                if (span.textContent.trim() === "") continue;
                const fg = span.className.match(/xterm-fg-(\d+)/)?.[1] ?? "default";
                const bg = span.className.match(/xterm-bg-(\d+)/)?.[1] ?? "default";
                colours.add(`fg-${fg}/bg-${bg}`);
            }
            return { text: div.textContent.replace(/\s+$/, ""), colours: [...colours] };
        }),
    );
}

async function waitForPrompts(page, count) {
    await page.waitForFunction(
        ([prompt, count]) =>
            [...document.querySelectorAll(".xterm-rows > div")].filter((row) => row.textContent.startsWith(prompt))
                .length === count,
        [PROMPT.trimEnd(), count],
    );
}

async function typeLine(page, line) {
    await page.keyboard.type(line);
    await page.keyboard.press("Enter");
}

const START_ROWS = [
    ["", null],
    ["Pointerek - Numerikus adatok tárolási formátuma (T.Z)", BLUE],
    ["-".repeat(53), BLUE],
    ["", null],
    [" - A program megjeleníti egy 2 bájtos egész", BLUE],
    ["   (-32768 --► 32767), illetve egy egyszeres pontosságú", BLUE],
    ["   lebegőpontos szám memóriában tárolt alakját.", BLUE],
    [" - Ha a megadott szám pontot tartalmaz, akkor a program", BLUE],
    ["   lebegőpontosnak, egyébként egésznek tekinti a számot.", BLUE],
    [" - Kilépés a ciklusból: k", BLUE],
    ["", null],
];

function assertRows(shown, expected) {
    expected.forEach(([text, colours], number) => {
        assert.equal(shown[number].text, text, `row ${number}`);
        assert.deepEqual(shown[number].colours, colours ? [colours] : [], `colours of row ${number}: ${text}`);
    });
    for (const row of shown.slice(expected.length)) assert.equal(row.text, "");
}

test("the start-up screen and every kind of answer, row by row, in the console's colours", async (t) => {
    const page = await open(t);
    for (const [count, line] of ["1.5", "-5", "abc", "32768"].entries()) {
        await typeLine(page, line);
        await waitForPrompts(page, count + 2);
    }
    assertRows(await rows(page), [
        ...START_ROWS,
        [PROMPT + "1.5", GREEN],
        ["", null],
        ["  Lebegőpontos szám   :  1.50000000E+00", BLACK],
        ["  A memóriában (hexa) :  3F C0 00 00", BLACK],
        ["  A memóriában (bin)  :  0011 1111  1100 0000  0000 0000  0000 0000", BLACK],
        ["", null],
        [PROMPT + "-5", GREEN],
        ["", null],
        ["  Egész szám          :  -5", BLACK],
        ["  A memóriában (hexa) :  FF FB", BLACK],
        ["  A memóriában (bin)  :  1111 1111  1111 1011", BLACK],
        ["", null],
        [PROMPT + "abc", GREEN],
        ["", null],
        ["  Érvénytelen karakter(ek).", LIGHT_RED],
        ["", null],
        [PROMPT + "32768", GREEN],
        ["", null],
        ["  Túl nagy a szám.", BLACK],
        ["", null],
        [PROMPT.trimEnd(), GREEN],
    ]);
    // The classic console palette, and light grey everywhere on the screen.
    const colour = (selector) =>
        page.$eval(selector, (element) => getComputedStyle(element).color).catch(() => null);
    assert.equal(await colour(".xterm-rows .xterm-fg-4"), "rgb(0, 0, 128)");
    assert.equal(await colour(".xterm-rows .xterm-fg-2"), "rgb(0, 128, 0)");
    assert.equal(await colour(".xterm-rows .xterm-fg-9"), "rgb(255, 0, 0)");
    const background = (selector) => page.$eval(selector, (element) => getComputedStyle(element).backgroundColor);
    assert.equal(await background(".xterm-rows .xterm-bg-7"), "rgb(192, 192, 192)");
    assert.equal(await background(".xterm-scrollable-element"), "rgb(192, 192, 192)");
    // 80 columns, and the text for a screen reader.
    assert.equal(await page.evaluate(() => document.querySelector(".xterm-rows > div").textContent.length), 80);
    // The tree for screen readers follows the screen a moment later.
    await page.waitForFunction(() =>
        document.querySelector(".xterm-accessibility-tree").textContent.includes("Túl nagy a szám."),
    );
});

test("pasted lines are answered each in turn", async (t) => {
    const page = await open(t);
    await page.$eval(
        ".xterm-helper-textarea",
        (textarea, text) => {
            const data = new DataTransfer();
            data.setData("text/plain", text);
            textarea.dispatchEvent(new ClipboardEvent("paste", { clipboardData: data, bubbles: true }));
        },
        "256\n-1\r\n0.1\n",
    );
    await waitForPrompts(page, 4);
    const texts = (await rows(page)).map((row) => row.text);
    assert.deepEqual(texts.slice(11, 27), [
        PROMPT + "256", "", "  Egész szám          :  256", "  A memóriában (hexa) :  01 00",
        "  A memóriában (bin)  :  0000 0001  0000 0000", "",
        PROMPT + "-1", "", "  Egész szám          :  -1", "  A memóriában (hexa) :  FF FF",
        "  A memóriában (bin)  :  1111 1111  1111 1111", "",
        PROMPT + "0.1", "", "  Lebegőpontos szám   :  1.00000001E-01", "  A memóriában (hexa) :  3D CC CC CD",
    ]);
});

test("leaving shows that the program has ended; Enter or the button starts it again", async (t) => {
    const page = await open(t);
    const ended = page.locator("#ended");
    for (const [leave, restart] of [["k", () => page.keyboard.press("Enter")],
                                    ["", () => page.getByRole("button", { name: "Újraindítás" }).click()]]) {
        await typeLine(page, "-5");
        await typeLine(page, leave);
        await ended.waitFor({ state: "visible" });
        assert.match(await ended.textContent(), /A program véget ért/);
        // Typing now reaches no program.
        await page.keyboard.type("1.5");
        assert.ok(!(await rows(page)).some((row) => row.text.includes("1.5")));
        await restart();
        await ended.waitFor({ state: "hidden" });
        await waitForPrompts(page, 1);
        assertRows(await rows(page), [...START_ROWS, [PROMPT.trimEnd(), GREEN]]);
    }
});

test("on a touch screen, a tap on the screen takes the keyboard, and typing and Backspace work", async (t) => {
    const page = await open(t, {
        viewport: { width: 412, height: 915 }, deviceScaleFactor: 2.6, isMobile: true, hasTouch: true,
    });
    await page.evaluate(() => document.activeElement.blur());
    await page.tap("#screen");
    assert.equal(await page.evaluate(() => document.activeElement.className), "xterm-helper-textarea");
    await page.keyboard.type("-56");
    await page.keyboard.press("Backspace");
    await page.keyboard.press("Enter");
    await waitForPrompts(page, 2);
    const texts = (await rows(page)).map((row) => row.text);
    assert.deepEqual(texts.slice(11, 14), [PROMPT + "-5", "", "  Egész szám          :  -5"]);
    // All 80 columns fit the narrow screen.
    const width = await page.$eval(".xterm-screen", (screen) => screen.getBoundingClientRect().right);
    assert.ok(width <= 412, `the screen ends at ${width} px`);
});
