// The line being typed, as the Windows console keeps it: the earlier lines
// of the run, recalled with Up and Down, and pasted text that may hold
// several lines.

export class LineHistory {
    constructor() {
        this.lines = [];
        this.position = 0;
    }

    // A line handed to the program; the same line twice in a row is kept once.
    add(line) {
        if (line !== "" && line !== this.lines.at(-1)) this.lines.push(line);
        this.position = this.lines.length;
    }

    // The line before or after the one recalled last (Up: -1, Down: +1),
    // the newest first; at either end the end line stays. Undefined while
    // there is none.
    recall(step) {
        if (this.lines.length === 0) return undefined;
        this.position = Math.min(Math.max(this.position + step, 0), this.lines.length - 1);
        return this.lines[this.position];
    }
}

// Text pasted into a line: the complete lines to answer, in order, and
// what is left in the field after the last line end.
export function splitPasted(text) {
    const lines = text.split(/\r\n|\r|\n/);
    const rest = lines.pop();
    return { lines, rest };
}
