// The page: the program's module on a console-like screen, 80 columns wide.
import { Terminal } from "@xterm/xterm";
import moduleBytes from "pointerek:module";

import { LineEditor } from "./line-editor.js";
import { startProgram } from "./system.js";

const COLUMNS = 80;
const FONT = '"DejaVu Sans Mono", Consolas, "Lucida Console", "Liberation Mono", monospace';
// The colours of the classic text console, in ANSI order.
const PALETTE = {
    black: "#000000", red: "#800000", green: "#008000", yellow: "#808000",
    blue: "#000080", magenta: "#800080", cyan: "#008080", white: "#c0c0c0",
    brightBlack: "#808080", brightRed: "#ff0000", brightGreen: "#00ff00", brightYellow: "#ffff00",
    brightBlue: "#0000ff", brightMagenta: "#ff00ff", brightCyan: "#00ffff", brightWhite: "#ffffff",
};

const screen = document.getElementById("screen");
const ended = document.getElementById("ended");
const restart = document.getElementById("restart");

// The font size at which COLUMNS cells fill the width of the screen.
function fittingFontSize() {
    const context = document.createElement("canvas").getContext("2d");
    context.font = `100px ${FONT}`;
    const cellPerPixel = context.measureText("M".repeat(10)).width / 1000;
    const size = (screen.clientWidth * 0.98) / (COLUMNS * cellPerPixel);
    return Math.max(6, Math.floor(size * 10) / 10);
}

const fontSize = fittingFontSize();
const terminal = new Terminal({
    cols: COLUMNS,
    rows: 25,
    fontFamily: FONT,
    fontSize,
    cursorBlink: true,
    cursorStyle: "underline",
    convertEol: true,
    scrollback: 5000,
    screenReaderMode: true,
    theme: { ...PALETTE, background: PALETTE.white, foreground: PALETTE.black, cursor: PALETTE.black },
});
terminal.open(screen);
// As many rows as fit the window below the screen's top, with room left
// for the line that says the program has ended; at least 25.
const rowHeight = screen.querySelector(".xterm-rows > div").getBoundingClientRect().height;
const free = window.innerHeight - screen.getBoundingClientRect().top - 80;
terminal.resize(COLUMNS, Math.max(25, Math.floor(free / rowHeight)));

const module = await WebAssembly.compile(moduleBytes);
const decoder = new TextDecoder();
let program = null;

function run() {
    ended.hidden = true;
    terminal.reset();
    program = startProgram(module, (bytes) => terminal.write(decoder.decode(bytes, { stream: true })));
    terminal.focus();
}

function finish() {
    program = null;
    ended.hidden = false;
    ended.scrollIntoView({ block: "nearest" });
}

const editor = new LineEditor(
    (text) => terminal.write(text),
    (line) => program.answer(line),
);
terminal.onData((data) => {
    if (program) {
        if (!editor.feed(data)) finish();
    } else if (data.includes("\r")) {
        run();
    }
});
restart.addEventListener("click", run);
// A tap brings up the keyboard of a touch screen.
screen.addEventListener("pointerdown", () => terminal.focus());

run();
