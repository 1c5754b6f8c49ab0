// What the page's console holds: the lines written since the last clear,
// each a run of pieces of text in their console attribute, the newest
// lines only, up to a bound. Lines are numbered from the start of the run,
// so that a view can tell which lines it has already drawn.

export class ScreenBuffer {
    constructor(maxLines = 5000) {
        this.maxLines = maxLines;
        // Console default: light grey on black.
        this.attribute = 0x07;
        // The number of lines[0]; lines beyond the bound are dropped in
        // batches, so that writing stays cheap.
        this.base = 0;
        this.lines = [[]];
        // The attribute that the last clear filled the screen with.
        this.screenAttribute = this.attribute;
        this.clears = 0;
    }

    // The number one past the newest line.
    get end() {
        return this.base + this.lines.length;
    }

    // The number of the oldest line kept.
    get first() {
        return Math.max(this.base, this.end - this.maxLines);
    }

    // The pieces of line number n, each { attribute, text }.
    line(n) {
        return this.lines[n - this.base];
    }

    setAttribute(attribute) {
        this.attribute = attribute;
    }

    // Blanks the screen in the current attribute; writing goes on at its top.
    clear() {
        this.base = this.end;
        this.lines = [[]];
        this.screenAttribute = this.attribute;
        this.clears += 1;
    }

    write(text) {
        const parts = text.split("\n");
        for (const [index, part] of parts.entries()) {
            if (index > 0) this.lines.push([]);
            if (part === "") continue;
            const line = this.lines[this.lines.length - 1];
            const last = line[line.length - 1];
            if (last?.attribute === this.attribute) {
                last.text += part;
            } else {
                line.push({ attribute: this.attribute, text: part });
            }
        }
        if (this.lines.length > 2 * this.maxLines) {
            const dropped = this.first - this.base;
            this.lines.splice(0, dropped);
            this.base += dropped;
        }
    }
}
