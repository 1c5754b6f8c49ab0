// The page console's lines: pieces in their attributes, clearing, the bound.
import assert from "node:assert/strict";
import { test } from "node:test";

import { ScreenBuffer } from "../../web/screen-buffer.js";

const lines = (buffer) =>
    Array.from({ length: buffer.end - buffer.first }, (_, i) =>
        buffer.line(buffer.first + i).map(({ attribute, text }) => [attribute, text]),
    );

test("text is kept line by line in the attribute it was written in", () => {
    const buffer = new ScreenBuffer();
    buffer.setAttribute(0x72);
    buffer.write("\n Kérem");
    buffer.write(" a számot: ");
    buffer.setAttribute(0x70);
    buffer.write("5\n\n  x");
    assert.deepEqual(lines(buffer), [[], [[0x72, " Kérem a számot: "], [0x70, "5"]], [], [[0x70, "  x"]]]);
});

test("a clear drops every line and takes the attribute for the screen", () => {
    const buffer = new ScreenBuffer();
    buffer.write("a\nb");
    buffer.setAttribute(0x71);
    buffer.clear();
    buffer.write("c");
    assert.deepEqual(lines(buffer), [[[0x71, "c"]]]);
    assert.equal(buffer.screenAttribute, 0x71);
    assert.equal(buffer.first, 2, "the lines go on being numbered");
});

test("only the newest lines are kept, numbered as before", () => {
    const buffer = new ScreenBuffer(3);
    buffer.write("1\n2\n3\n4\n5");
    assert.deepEqual(lines(buffer), [[[0x07, "3"]], [[0x07, "4"]], [[0x07, "5"]]]);
    assert.equal(buffer.first, 2);
    assert.deepEqual(buffer.line(4), [{ attribute: 0x07, text: "5" }]);
});
