// The page's line discipline: echo, Backspace, Enter, paste.
import assert from "node:assert/strict";
import { test } from "node:test";

import { LineEditor } from "../../web/line-editor.js";

// Feeds the chunks; returns what happened, in order, and feed's results.
function session(chunks, { leaveOn = null } = {}) {
    const events = [];
    const editor = new LineEditor(
        (text) => events.push(["echo", text]),
        (bytes) => {
            const line = new TextDecoder().decode(bytes);
            events.push(["line", line]);
            return line !== leaveOn;
        },
    );
    const results = chunks.map((chunk) => editor.feed(chunk));
    return { events, results };
}

test("typed lines are echoed and handed over at Enter, each in turn", () => {
    const cases = [
        [["1.5\r"], [["echo", "1"], ["echo", "."], ["echo", "5"], ["echo", "\r\n"], ["line", "1.5"]]],
        // A paste: every line is echoed just before it is answered.
        [["7\r-5\n\r"], [["echo", "7"], ["echo", "\r\n"], ["line", "7"], ["echo", "-"], ["echo", "5"],
                        ["echo", "\r\n"], ["line", "-5"], ["echo", "\r\n"], ["line", ""]]],
        // "\r\n" is one Enter, also across chunks it is not.
        [["5\r\n", "6\r"], [["echo", "5"], ["echo", "\r\n"], ["line", "5"], ["echo", "6"], ["echo", "\r\n"],
                            ["line", "6"]]],
        [["\r"], [["echo", "\r\n"], ["line", ""]]],
    ];
    for (const [chunks, expected] of cases) {
        assert.deepEqual(session(chunks).events, expected, JSON.stringify(chunks));
    }
});

test("Backspace takes back one character, and nothing on an empty line", () => {
    const { events } = session(["\x7f12\x7f\b3é\x7f\r"]);
    const lines = events.filter(([kind]) => kind === "line");
    assert.deepEqual(lines, [["line", "3"]]);
    const echoed = events.filter(([kind]) => kind === "echo").map(([, text]) => text).join("");
    assert.equal(echoed, "12\b \b\b \b3é\b \b\r\n");
});

test("special keys and other control characters are not part of the line", () => {
    const { events } = session(["\x1b[A1\x1b[3~\x1bOP\t2\x03\x1bb\r"]);
    assert.deepEqual(events.at(-1), ["line", "12"]);
});

test("a line goes to the program as UTF-8, as a Linux terminal sends it", () => {
    let bytes = null;
    new LineEditor(() => {}, (line) => { bytes = line; return true; }).feed("1é\r");
    assert.deepEqual([...bytes], [0x31, 0xc3, 0xa9]);
});

test("nothing after the line that leaves is taken", () => {
    const { events, results } = session(["k\r1.5\r"], { leaveOn: "k" });
    assert.deepEqual(events, [["echo", "k"], ["echo", "\r\n"], ["line", "k"]]);
    assert.equal(results[0], false);
});
