// What a terminal's line discipline does for the program: echoes what is
// typed, takes it back on Backspace, and hands the line over at Enter.
// Pasted text arrives the same way, so each of its lines is answered in turn.

const ENTER = /^(\r\n?|\n)/;
// Escape sequences of special keys (arrows, function keys): ignored.
const ESCAPE = /^\x1b(\[[0-9;?]*[\x40-\x7e]|O.|.)?/;
const BACKSPACE = /^[\x7f\b]/;
const OTHER_CONTROL = /^[\x00-\x1f]/;

export class LineEditor {
    // echo(text) writes to the screen; submit(line) takes the line as UTF-8
    // bytes and returns false when no more lines are wanted.
    constructor(echo, submit) {
        this.echo = echo;
        this.submit = submit;
        this.line = [];
    }

    // Takes the terminal's input; returns false when a line ended the input.
    feed(data) {
        while (data.length > 0) {
            let match;
            if ((match = ENTER.exec(data))) {
                const line = new TextEncoder().encode(this.line.join(""));
                this.line = [];
                this.echo("\r\n");
                if (!this.submit(line)) return false;
            } else if ((match = BACKSPACE.exec(data))) {
                if (this.line.pop() !== undefined) this.echo("\b \b");
            } else if (!(match = ESCAPE.exec(data)) && !(match = OTHER_CONTROL.exec(data))) {
                const character = String.fromCodePoint(data.codePointAt(0));
                match = [character];
                this.line.push(character);
                this.echo(character);
            }
            data = data.slice(match[0].length);
        }
        return true;
    }
}
