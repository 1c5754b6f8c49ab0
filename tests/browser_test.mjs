// The page in a real browser (Debian's Chromium, headless), opened from
// disk and over http: its console row by row with its colours; typing by
// keys, by inserted text and through composition, on a desktop and on a
// phone; line editing, paste, Ctrl+C, leaving and starting again; legible
// on a phone; axe; no console error and no request beyond the page.
import assert from "node:assert/strict";
import { readFile } from "node:fs/promises";
import { createServer } from "node:http";
import { createRequire } from "node:module";
import { after, before, test } from "node:test";
import { pathToFileURL } from "node:url";

import { chromium } from "playwright-core";

const PAGE = pathToFileURL(process.env.POINTEREK_PAGE).href;
const PROMPT = " Kérem a számot: ";
// The console's colours, text on background, as the page's classes.
const BLUE = "f1/b7", GREEN = "f2/b7", BLACK = "f0/b7", LIGHT_RED = "f12/b7";
const DESKTOP = { viewport: { width: 1000, height: 1400 } };
const PHONE = { viewport: { width: 412, height: 915 }, deviceScaleFactor: 2.6, isMobile: true, hasTouch: true };

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

// Opens the page in a new context; every request, failed request, console
// error and page error is kept, to be checked at the end.
async function open(t, options = DESKTOP, url = PAGE) {
    const context = await browser.newContext(options);
    t.after(() => context.close());
    const page = await context.newPage();
    const seen = { requests: [], failures: [], errors: [] };
    page.on("request", (request) => seen.requests.push(request.url()));
    page.on("requestfailed", (request) => seen.failures.push(request.url()));
    page.on("response", (response) => response.status() >= 400 && seen.failures.push(response.url()));
    page.on("console", (message) => message.type() === "error" && seen.errors.push(message.text()));
    page.on("pageerror", (error) => seen.errors.push(error.message));
    await page.goto(url);
    await page.locator("#screen > div", { hasText: PROMPT }).first().waitFor();
    await page.waitForFunction(() => document.activeElement.id === "line");
    t.after(() => {
        assert.deepEqual([...new Set(seen.requests)], [url.replace(/#.*/, "")]);
        assert.deepEqual(seen.failures, []);
        assert.deepEqual(seen.errors, []);
    });
    return page;
}

// The console's lines as the DOM holds them: text, and the colours of the
// pieces that are not blank (a line of one piece has its colours itself).
function rows(page) {
    return page.$$eval("#screen > div", (divs) =>
        divs.map((div) => {
            const colours = new Set();
            const pieces = div.querySelector("span") ? div.querySelectorAll("span") : [div];
            for (const piece of pieces) {
                if (piece.textContent.trim() !== "") colours.add(piece.className.replace(" ", "/"));
            }
            return { text: div.textContent, colours: [...colours] };
        }),
    );
}

const texts = async (page) => (await rows(page)).map((row) => row.text);

async function waitForPrompts(page, count) {
    await page.waitForFunction(
        ([prompt, count]) =>
            [...document.querySelectorAll("#screen > div")].filter((row) => row.textContent.startsWith(prompt))
                .length === count,
        [PROMPT, count],
    );
}

// The lines that the console echoed after a prompt.
const echoed = async (page) =>
    (await texts(page)).filter((text) => text.startsWith(PROMPT)).map((text) => text.slice(PROMPT.length));

async function typeLine(page, line) {
    await page.keyboard.type(line);
    await page.keyboard.press("Enter");
}

const field = (page) => page.$eval("#line", (input) => input.value);

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
    assert.equal(shown.length, expected.length, shown.map((row) => row.text).join("\n"));
    expected.forEach(([text, colours], number) => {
        assert.equal(shown[number].text, text, `row ${number}`);
        assert.deepEqual(shown[number].colours, colours ? [colours] : [], `colours of row ${number}: ${text}`);
    });
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
        [PROMPT, GREEN],
    ]);
    // The classic console palette on a light grey screen; the field in the
    // prompt's colour.
    const style = (selector, property) => page.$eval(selector, (e, p) => getComputedStyle(e)[p], property);
    assert.equal(await style("#screen .f1", "color"), "rgb(0, 0, 128)");
    assert.equal(await style("#screen .f2", "color"), "rgb(0, 128, 0)");
    assert.equal(await style("#screen .f12", "color"), "rgb(255, 0, 0)");
    assert.equal(await style("#console", "backgroundColor"), "rgb(192, 192, 192)");
    assert.equal(await style("#line", "color"), "rgb(0, 128, 0)");
    assert.equal(await style("#line", "fontFamily"), await style("#console", "fontFamily"));
    // 80 columns fill the console's width, and the field follows the prompt
    // on its row.
    const layout = await page.evaluate(() => {
        const box = document.getElementById("console");
        const probe = box.appendChild(document.createElement("span"));
        probe.textContent = "0".repeat(80);
        const row = probe.getBoundingClientRect();
        probe.remove();
        const prompt = document.querySelector("#screen > div:last-child").getBoundingClientRect();
        const input = document.getElementById("line").getBoundingClientRect();
        return { columns: row.width, width: box.clientWidth, promptRight: prompt.right, promptTop: prompt.top,
                 fieldLeft: input.left, fieldTop: input.top, fieldRight: input.right, boxRight: box.getBoundingClientRect().right };
    });
    assert.ok(layout.columns <= layout.width && layout.columns > layout.width * 0.95, JSON.stringify(layout));
    assert.ok(Math.abs(layout.fieldLeft - layout.promptRight) < 1 && Math.abs(layout.fieldTop - layout.promptTop) < 1,
              JSON.stringify(layout));
    assert.ok(layout.fieldRight <= layout.boxRight, JSON.stringify(layout));
});

// Ways in which a line reaches the field, each with a line whose answer
// shows whether any character was lost or doubled.
const TYPING = [
    ["keys", "12.5", async (page, line) => page.keyboard.type(line)],
    ["inserted text", "5é", async (page, line) => page.keyboard.insertText(line)],
    ["a committed composition", "1234", async (page, line, cdp) => {
        await cdp.send("Input.imeSetComposition", { text: line, selectionStart: line.length, selectionEnd: line.length });
        await cdp.send("Input.insertText", { text: line });
    }],
];
// Enter while the word is still being composed; the composition ends after it.
const COMPOSING = [
    ["Enter during a composition", "7.75", async (page, line, cdp) => {
        await cdp.send("Input.imeSetComposition", { text: line, selectionStart: line.length, selectionEnd: line.length });
    }],
    // An Android keyboard: every keystroke a composition step inside a
    // keydown and keyup of keyCode 229.
    ["an Android keyboard's order", "-32768", async (page, line, cdp) => {
        const key = { windowsVirtualKeyCode: 229, key: "Unidentified" };
        for (let i = 1; i <= line.length; i++) {
            await cdp.send("Input.dispatchKeyEvent", { type: "rawKeyDown", ...key });
            await cdp.send("Input.imeSetComposition", { text: line.slice(0, i), selectionStart: i, selectionEnd: i });
            await cdp.send("Input.dispatchKeyEvent", { type: "keyUp", ...key });
        }
    }],
];

for (const [device, options] of [["a desktop", DESKTOP], ["a phone", PHONE]]) {
    test(`on ${device}, keys, inserted text and composition each give exactly the typed line`, async (t) => {
        const page = await open(t, options);
        const cdp = await page.context().newCDPSession(page);
        const lines = [];
        for (const [how, line, type] of TYPING) {
            await type(page, line, cdp);
            assert.equal(await field(page), line, how);
            await page.keyboard.press("Enter");
            lines.push(line);
            assert.equal(await field(page), "", how);
        }
        for (const [how, line, type] of COMPOSING) {
            await type(page, line, cdp);
            await page.keyboard.press("Enter");
            // The keyboard ends its composition, committing the word it had.
            await cdp.send("Input.insertText", { text: line });
            await page.waitForFunction(() => document.getElementById("line").value === "");
            lines.push(line);
            await typeLine(page, "3");
            lines.push("3");
        }
        await waitForPrompts(page, lines.length + 1);
        assert.deepEqual(await echoed(page), [...lines, ""]);
        const shown = (await texts(page)).join("\n");
        for (const answer of ["1.25000000E+01", "Érvénytelen karakter(ek).", ":  1234\n", "7.75000000E+00",
                              ":  -32768\n"]) {
            assert.ok(shown.includes(answer), answer);
        }
    });
}

test("Up and Down recall the earlier lines; Esc, Home and Left edit the line", async (t) => {
    const page = await open(t);
    await typeLine(page, "1.5");
    await typeLine(page, "-5");
    const keys = async (...names) => {
        for (const name of names) await page.keyboard.press(name);
        return field(page);
    };
    assert.equal(await keys("ArrowUp"), "-5");
    assert.equal(await keys("ArrowUp"), "1.5");
    assert.equal(await keys("ArrowUp"), "1.5");
    assert.equal(await keys("ArrowDown"), "-5");
    assert.equal(await keys("Escape"), "");
    await page.keyboard.type("25");
    assert.equal(await keys("Home", "Digit1", "Delete"), "15");
    assert.equal(await keys("End", "ArrowLeft", "Period", "Backspace", "Period"), "1.5");
    await page.keyboard.press("Enter");
    await waitForPrompts(page, 4);
    assert.deepEqual(await echoed(page), ["1.5", "-5", "1.5", ""]);
    // Tab leaves the field: no keyboard trap.
    await page.keyboard.press("Tab");
    assert.notEqual(await page.evaluate(() => document.activeElement.id), "line");
});

test("pasted text goes into the line; each pasted line is answered in turn", async (t) => {
    const page = await open(t, { ...DESKTOP, permissions: ["clipboard-read", "clipboard-write"] });
    const paste = async (text) => {
        await page.evaluate((text) => navigator.clipboard.writeText(text), text);
        await page.keyboard.press("Control+V");
    };
    await page.keyboard.type("19");
    await page.keyboard.press("ArrowLeft");
    await paste("2.");
    assert.equal(await field(page), "12.9");
    await page.keyboard.press("Escape");
    await page.keyboard.type("7");
    await paste("56\n-1\r\n0.1\n9");
    assert.equal(await field(page), "9");
    await waitForPrompts(page, 4);
    assert.deepEqual((await texts(page)).slice(11, 27), [
        PROMPT + "756", "", "  Egész szám          :  756", "  A memóriában (hexa) :  02 F4",
        "  A memóriában (bin)  :  0000 0010  1111 0100", "",
        PROMPT + "-1", "", "  Egész szám          :  -1", "  A memóriában (hexa) :  FF FF",
        "  A memóriában (bin)  :  1111 1111  1111 1111", "",
        PROMPT + "0.1", "", "  Lebegőpontos szám   :  1.00000001E-01", "  A memóriában (hexa) :  3D CC CC CD",
    ]);
});

test("Ctrl+C copies what is selected, and with nothing selected ends the program", async (t) => {
    const page = await open(t, { ...DESKTOP, permissions: ["clipboard-read", "clipboard-write"] });
    await typeLine(page, "-5");
    await page.evaluate(() => {
        const value = [...document.querySelectorAll("#screen > div")].find((row) => row.textContent.includes("FF FB"));
        document.getSelection().selectAllChildren(value);
    });
    await page.keyboard.press("Control+C");
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), "  A memóriában (hexa) :  FF FB");
    assert.ok(await page.locator("#ended").isHidden());
    // Within the field too.
    await page.click("#line");
    await page.keyboard.type("12.75");
    await page.keyboard.press("Shift+Home");
    await page.keyboard.press("Control+C");
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), "12.75");
    assert.ok(await page.locator("#ended").isHidden());

    await page.keyboard.press("End");
    await page.keyboard.press("Control+C");
    await page.locator("#ended").waitFor({ state: "visible" });
    const shown = await texts(page);
    assert.equal(shown.at(-2), PROMPT + "12.75^C", "the console echoes the Ctrl+C; the program writes nothing");
    assert.equal(shown.at(-1), "");
    await page.keyboard.press("Enter");
    await waitForPrompts(page, 1);
    assert.deepEqual(await echoed(page), [""]);
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
        assert.ok(await page.locator("#line").isHidden());
        await restart();
        await ended.waitFor({ state: "hidden" });
        await waitForPrompts(page, 1);
        assertRows(await rows(page), [...START_ROWS, [PROMPT, GREEN]]);
        assert.equal(await page.evaluate(() => document.activeElement.id), "line");
        // A new run has no earlier lines to recall.
        await page.keyboard.press("ArrowUp");
        assert.equal(await field(page), "");
    }
});

test("on a 412 px phone the text is at least 12 px, wraps at the columns that fit, and a tap takes the keyboard", async (t) => {
    const page = await open(t, PHONE);
    await typeLine(page, "0.1");
    await waitForPrompts(page, 2);
    const layout = await page.evaluate(() => {
        const box = document.getElementById("console");
        const rect = box.getBoundingClientRect();
        const pieces = [...box.querySelectorAll("span"), document.getElementById("line")];
        return {
            fontSize: parseFloat(getComputedStyle(box).fontSize),
            fieldFontSize: parseFloat(getComputedStyle(document.getElementById("line")).fontSize),
            pageWidth: document.scrollingElement.scrollWidth,
            overflow: box.scrollWidth - box.clientWidth,
            outside: pieces.filter((piece) =>
                [...piece.getClientRects()].some((r) => r.left < rect.left || r.right > rect.right)).length,
        };
    });
    assert.ok(layout.fontSize >= 12 && layout.fieldFontSize === layout.fontSize, JSON.stringify(layout));
    assert.ok(layout.pageWidth <= 412 && layout.overflow === 0 && layout.outside === 0, JSON.stringify(layout));
    // The bit line wraps onto a second row and keeps all its text.
    const bits = "  A memóriában (bin)  :  0011 1101  1100 1100  1100 1100  1100 1101";
    assert.ok((await texts(page)).includes(bits));

    await page.evaluate(() => document.activeElement.blur());
    await page.tap("#screen");
    assert.equal(await page.evaluate(() => document.activeElement.id), "line");
    const attributes = await page.$eval("#line", (input) =>
        ["enterkeyhint", "autocapitalize", "autocorrect", "spellcheck"].map((name) => input.getAttribute(name)));
    assert.deepEqual(attributes, ["send", "off", "off", "false"]);
});

const AXE = await readFile(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");

for (const [contrast, allowed] of [["no-preference", ["color-contrast"]], ["more", []]]) {
    test(`axe finds ${allowed.length ? "only the console's own colours" : "nothing"} with prefers-contrast: ${contrast}`,
         async (t) => {
        const page = await open(t, { ...DESKTOP, contrast });
        // The console's colours, and the explanation with its bits.
        for (const line of ["abc", "1.5"]) await typeLine(page, line);
        await page.addScriptTag({ content: AXE });
        const violations = await page.evaluate(async () =>
            (await axe.run()).violations.map((v) => ({ id: v.id, nodes: v.nodes.map((n) => n.target.join(" ")) })));
        assert.deepEqual(violations.map((v) => v.id).filter((id) => !allowed.includes(id)), [], JSON.stringify(violations));
        // What contrast finds lies in the program's console.
        const targets = violations.flatMap((v) => v.nodes);
        assert.ok(await page.evaluate((targets) => targets.every((target) =>
            document.querySelector(target).closest("#console")), targets), JSON.stringify(targets));
    });
}

test("served over http, the page makes no request but itself and has its icon inline", async (t) => {
    const html = await readFile(process.env.POINTEREK_PAGE);
    assert.ok(html.length <= 100 * 1024, `the page is ${html.length} bytes`);
    const server = createServer((request, response) => {
        response.writeHead(request.url === "/pointerek.html" ? 200 : 404, { "content-type": "text/html" });
        response.end(request.url === "/pointerek.html" ? html : "");
    });
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    t.after(() => server.close());
    const page = await open(t, DESKTOP, `http://127.0.0.1:${server.address().port}/pointerek.html`);
    await typeLine(page, "1.5");
    await waitForPrompts(page, 2);
    const head = await page.evaluate(() => ({
        icon: document.querySelector("link[rel=icon]").href.slice(0, 5),
        description: document.querySelector("meta[name=description]").content.length > 0,
        lang: document.documentElement.lang,
    }));
    assert.deepEqual(head, { icon: "data:", description: true, lang: "hu" });
});

// Pastes text and waits until the row `back` rows from the end is `row`;
// returns how long that took and the longest task meanwhile.
async function answerPaste(page, text, row, back) {
    await page.evaluate(() => {
        window.longest = 0;
        new PerformanceObserver((list) => {
            for (const entry of list.getEntries()) window.longest = Math.max(window.longest, entry.duration);
        }).observe({ type: "longtask" });
    });
    const started = Date.now();
    await page.$eval("#line", (input, text) => {
        const data = new DataTransfer();
        data.setData("text/plain", text);
        input.dispatchEvent(new ClipboardEvent("paste", { clipboardData: data, bubbles: true, cancelable: true }));
    }, text);
    await page.waitForFunction(([row, back]) => {
        const rows = document.querySelectorAll("#screen > div");
        return rows[rows.length - back]?.textContent === row;
    }, [row, back], { timeout: 60000 });
    return { seconds: (Date.now() - started) / 1000, longest: await page.evaluate(() => window.longest) };
}

test("a pasted line of 1 MiB and a paste of 100,000 lines are answered, the page responsive", async (t) => {
    const page = await open(t);
    const line = "9".repeat(1 << 20);
    const long = await answerPaste(page, `${line}\n`, PROMPT + line, 5);
    assert.deepEqual((await texts(page)).slice(-4), ["", "  Érvénytelen karakter(ek).", "", PROMPT]);
    const lines = Array.from({ length: 100000 }, (_, i) => String((i % 65536) - 32768));
    const many = await answerPaste(page, `${lines.join("\n")}\n`, PROMPT + "1695", 7);
    const shown = await texts(page);
    assert.equal(shown.length, 5000, "the console keeps the newest 5,000 lines");
    assert.deepEqual(shown.slice(-6), ["", "  Egész szám          :  1695", "  A memóriában (hexa) :  06 9F",
                                       "  A memóriában (bin)  :  0000 0110  1001 1111", "", PROMPT]);
    t.diagnostic(`1 MiB line: ${long.seconds} s, longest task ${long.longest} ms`);
    t.diagnostic(`100,000 lines: ${many.seconds} s, longest task ${many.longest} ms`);
    // The lines are answered in slices; the long line is one task.
    assert.ok(many.longest < 400, `a task of ${many.longest} ms while the lines were answered`);
    assert.ok(long.longest < 1500, `a task of ${long.longest} ms for the long line`);
});

// The explanation panel's text, squeezed to single blanks.
const panelText = async (page) =>
    (await page.locator("#explanation-body").innerText()).replace(/\s+/g, " ");

test("the explanation tells what the last answer means", async (t) => {
    const page = await open(t);
    const cases = [
        ["0.1", ["Lebegőpontos szám (4 bájt)", "0: pozitív", "01111011, azaz E = 123; a szorzó 2−4 (123 − 127 = −4)",
                 "1.10011001100110011001101", "A tárolt érték pontosan 0.100000001490116119384765625",
                 "A program értéksora 1.00000001E-01", "A beírt szám 0.1",
                 "−0.000000001490116119384765625 az utolsó helyiérték egységében: −0.2",
                 "0.0999999940395355224609375 távolsága: 0.000000007450580596923828125",
                 "0.10000000894069671630859375", "+0: CD +1: CC +2: CC +3: 3D", "3D CC CC CD"]],
        ["-5", ["Egész szám (2 bájt)", "Érték −5",
                "−32768 + 16384 + 8192 + 4096 + 2048 + 1024 + 512 + 256 + 128 + 64 + 32 + 16 + 8 + 2 + 1 = −5",
                "0000000000000100 = 4, ehhez 1-et adva 5", "+0: FB +1: FF"]],
        ["abc", ["Érvénytelen karakter(ek)", "A sorban nincs „-”, ezért az elejétől kezdve csak számjegy és pont állhat",
                 "A 1. bájt 61h („a”)"]],
        ["32768", ["Túl nagy a szám", "−32768 és 32767 között", "A sor értéke 32768 (3.27680000E+04)"]],
    ];
    for (const [line, facts] of cases) {
        await typeLine(page, line);
        const text = await panelText(page);
        for (const fact of facts) assert.ok(text.includes(fact), `${line}: ${fact} in ${text}`);
    }
});

const patternShown = (page) =>
    page.$$eval("#explanation .byte .hex", (hexes) => hexes.map((hex) => hex.textContent).join(" "));

test("a flipped bit or a step shows another pattern, and Beírás types it into the program", async (t) => {
    const page = await open(t);
    await typeLine(page, "1.5");
    await page.getByRole("button", { name: "Következő" }).click();
    assert.equal(await patternShown(page), "3F C0 00 01");
    assert.ok((await panelText(page)).includes("Átbillentett vagy léptetett bitminta"));
    await page.getByRole("button", { name: "Vissza" }).click();
    assert.equal(await patternShown(page), "3F C0 00 00");
    await page.getByRole("button", { name: "31. bit (előjel): 0, átbillentés" }).click();
    assert.equal(await patternShown(page), "BF C0 00 00");
    assert.ok((await panelText(page)).includes("1: negatív"));
    await page.getByRole("button", { name: "Beírás" }).click();
    await waitForPrompts(page, 3);
    const shown = await texts(page);
    assert.deepEqual(shown.slice(-7, -2), [PROMPT + "-1.5", "", "  Lebegőpontos szám   :  -1.50000000E+00",
                                           "  A memóriában (hexa) :  BF C0 00 00", "  A memóriában (bin)  :  1011 1111  1100 0000  0000 0000  0000 0000"]);
    assert.ok((await panelText(page)).includes("A program válasza erre a sorra: -1.5"));
    // A NaN that no line gives says so.
    for (const bit of [30, 0]) {
        await page.getByRole("button", { name: new RegExp(`^${bit}\\. bit`) }).click();
    }
    assert.equal(await patternShown(page), "FF C0 00 01");
    assert.ok(await page.getByRole("button", { name: "Beírás" }).isDisabled());
    assert.ok((await panelText(page)).includes("Ezt a NaN-t egyetlen beírt sor sem adja"));
});

test("hiding the explanation lasts across a reload", async (t) => {
    const page = await open(t);
    const toggle = page.locator("#explanation-toggle");
    await toggle.click();
    assert.ok(await page.locator("#explanation-body").isHidden());
    assert.equal(await toggle.getAttribute("aria-expanded"), "false");
    await page.reload();
    await waitForPrompts(page, 1);
    assert.ok(await page.locator("#explanation-body").isHidden());
    await page.locator("#explanation-toggle").click();
    await page.reload();
    await waitForPrompts(page, 1);
    assert.ok(await page.locator("#explanation-body").isVisible());
});

test("a link types the lines in its fragment", async (t) => {
    const page = await open(t, DESKTOP, `${PAGE}#0.1;abc;-5`);
    await waitForPrompts(page, 4);
    assert.deepEqual(await echoed(page), ["0.1", "abc", "-5", ""]);
    assert.ok((await panelText(page)).includes("Érték −5"));
});

test("on a 412 px phone the explanation is below the console and legible", async (t) => {
    const page = await open(t, PHONE);
    await typeLine(page, "0.1");
    const layout = await page.evaluate(() => {
        const console = document.getElementById("console").getBoundingClientRect();
        const panel = document.getElementById("explanation");
        const smallest = Math.min(...[...panel.querySelectorAll("dd, dt, p, .hex, .bit")]
            .map((e) => parseFloat(getComputedStyle(e).fontSize)));
        return { below: panel.getBoundingClientRect().top >= console.bottom, right: panel.getBoundingClientRect().right,
                 smallest, pageWidth: document.scrollingElement.scrollWidth };
    });
    assert.ok(layout.below && layout.right <= 412 && layout.pageWidth <= 412 && layout.smallest >= 12,
              JSON.stringify(layout));
});
