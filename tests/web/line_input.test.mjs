// The typed line's history and pasted text.
import assert from "node:assert/strict";
import { test } from "node:test";

import { LineHistory, splitPasted } from "../../web/line-input.js";

test("Up and Down walk the earlier lines, newest first, and stop at either end", () => {
    const history = new LineHistory();
    assert.equal(history.recall(-1), undefined);
    for (const line of ["1.5", "-5", "-5", "", "7"]) history.add(line);
    const steps = [-1, -1, -1, -1, +1, +1, +1, -1];
    assert.deepEqual(steps.map((step) => history.recall(step)), ["7", "-5", "1.5", "1.5", "-5", "7", "7", "-5"]);
    history.add("8");
    assert.equal(history.recall(-1), "8", "a new line starts from the newest again");
});

test("pasted text gives its complete lines and leaves the rest in the field", () => {
    const cases = [
        ["12", [], "12"],
        ["256\n-1\r\n0.1\n", ["256", "-1", "0.1"], ""],
        ["1\r2\n\n3", ["1", "2", ""], "3"],
    ];
    for (const [text, lines, rest] of cases) {
        assert.deepEqual(splitPasted(text), { lines, rest }, JSON.stringify(text));
    }
});
