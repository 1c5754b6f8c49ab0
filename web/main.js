// The page: the program's module on a console of the page's own, 80
// columns wide, with the line typed in a native text field at the prompt.
import moduleBytes from "pointerek:module";

import { parseFacts, renderExplanation } from "./explanation.js";
import { LineHistory, splitPasted } from "./line-input.js";
import { ScreenBuffer } from "./screen-buffer.js";
import { startProgram } from "./system.js";

const COLUMNS = 80;
// Below this size text is hard to read on a phone; the console wraps at
// fewer columns instead.
const SMALLEST_FONT = 12;
// Lines pasted at once are answered in slices of this many milliseconds,
// so that the page stays responsive, and the console is drawn again at
// most this often meanwhile: drawing costs more than answering.
const SLICE = 12;
const DRAW_EVERY = 250;

const consoleBox = document.getElementById("console");
const screen = document.getElementById("screen");
const field = document.getElementById("line");
const ended = document.getElementById("ended");
const restart = document.getElementById("restart");
const explanation = document.getElementById("explanation-body");
const explanationToggle = document.getElementById("explanation-toggle");

// The width of one character cell of the console's font, per pixel of
// font size; measured once the page is laid out.
let cellPerPixel = 0;
// The columns that fit the console now, and the width they fit.
let columns = COLUMNS;
let fittedWidth = 0;

// Sets the font size at which the columns fill the console's width.
function fitFont(width) {
    if (width === fittedWidth) return;
    fittedWidth = width;
    if (cellPerPixel === 0) {
        const probe = document.createElement("span");
        probe.style.cssText = "position: absolute; white-space: pre; font-size: 100px";
        probe.textContent = "0".repeat(10);
        consoleBox.append(probe);
        cellPerPixel = probe.getBoundingClientRect().width / 1000;
        probe.remove();
    }
    const size = Math.max(SMALLEST_FONT, Math.floor((width / (COLUMNS * cellPerPixel)) * 10) / 10);
    consoleBox.style.fontSize = `${size}px`;
    columns = Math.min(COLUMNS, Math.floor(width / (size * cellPerPixel)));
    draw();
}

const colourClasses = (attribute) => `f${attribute & 15} b${(attribute >> 4) & 15}`;

let buffer = null;
// The lines of buffer that the screen shows: from, up to before to.
let shown = { buffer: null, clears: 0, from: 0, to: 0 };

// Brings the screen up to date with the buffer: the lines dropped go, the
// line that was being written is drawn again, the new ones are added.
function draw() {
    if (shown.buffer !== buffer || shown.clears !== buffer.clears || shown.to <= buffer.first) {
        screen.replaceChildren();
        shown = { buffer, clears: buffer.clears, from: buffer.first, to: buffer.first };
        consoleBox.className = colourClasses(buffer.screenAttribute);
    }
    if (shown.from < buffer.first) {
        const dropped = document.createRange();
        dropped.setStartBefore(screen.firstChild);
        dropped.setEndAfter(screen.children[buffer.first - shown.from - 1]);
        dropped.deleteContents();
        shown.from = buffer.first;
    }
    if (shown.to > shown.from) {
        screen.lastChild.remove();
        shown.to--;
    }
    const lines = document.createDocumentFragment();
    for (; shown.to < buffer.end; shown.to++) {
        const row = document.createElement("div");
        const pieces = buffer.line(shown.to);
        if (pieces.length === 1) {
            row.className = colourClasses(pieces[0].attribute);
            row.textContent = pieces[0].text;
        } else {
            for (const { attribute, text } of pieces) {
                const piece = document.createElement("span");
                piece.className = colourClasses(attribute);
                piece.textContent = text;
                row.append(piece);
            }
        }
        lines.append(row);
    }
    screen.append(lines);
    // The field takes the rest of the row that the last line ends on.
    const last = buffer.line(buffer.end - 1).reduce((length, piece) => length + piece.text.length, 0);
    field.style.width = `${columns - (last % columns)}ch`;
    field.className = colourClasses(buffer.attribute);
    scrollToNewest();
}

// The newest line in view, once the page is laid out for the next frame.
let scrolling = false;
function scrollToNewest() {
    if (scrolling) return;
    scrolling = true;
    requestAnimationFrame(() => {
        scrolling = false;
        consoleBox.scrollTop = consoleBox.scrollHeight;
    });
}

// Small enough to compile at once, so that the first prompt comes with the
// page rather than a turn of the event loop later.
const module = new WebAssembly.Module(moduleBytes);
const decoder = new TextDecoder();
const encoder = new TextEncoder();
let program = null;
// The run whose module answers the explanation's questions; it stays
// when the program has ended.
let explainer = null;
let history = null;
// Lines waiting for the program, and the next one to answer.
let waiting = [];
let next = 0;

function run() {
    buffer = new ScreenBuffer();
    history = new LineHistory();
    waiting = [];
    next = 0;
    program = startProgram(module, {
        write: (bytes) => buffer.write(decoder.decode(bytes, { stream: true })),
        setAttribute: (attribute) => buffer.setAttribute(attribute),
        clear: () => buffer.clear(),
    });
    explainer = program;
    draw();
    ended.hidden = true;
    field.hidden = false;
    field.value = "";
}

function finish() {
    program = null;
    waiting = [];
    field.hidden = true;
    ended.hidden = false;
    restart.focus({ preventScroll: true });
    ended.scrollIntoView({ block: "nearest" });
}

// The line is echoed after the prompt, as a console echoes it, and then
// answered by the program.
function answer(line) {
    history.add(line);
    buffer.write(`${line}\n`);
    const bytes = encoder.encode(line);
    if (program.answer(bytes)) {
        lastAnswer = { line, bytes };
    } else {
        finish();
    }
}

// Each slice of answering ends in a pause for the browser.
const pause = new MessageChannel();
let drawn = 0;

function answerWaiting() {
    const deadline = performance.now() + SLICE;
    while (program && next < waiting.length && performance.now() < deadline) answer(waiting[next++]);
    const more = program && next < waiting.length;
    if (!more || performance.now() - drawn > DRAW_EVERY) {
        draw();
        explainLastAnswer();
        drawn = performance.now();
    }
    if (more) {
        pause.port2.postMessage(null);
    } else {
        waiting = [];
        next = 0;
    }
}
pause.port1.onmessage = answerWaiting;

function submit(lines) {
    const idle = next >= waiting.length;
    waiting.push(...lines);
    if (idle) answerWaiting();
}

// The explanation: the line answered last, or a pattern made from it by
// flipping bits or stepping to a neighbour.
let lastAnswer = null;
let explained = null;
let displayed = null;

function explainLastAnswer() {
    if (lastAnswer === null || lastAnswer === explained?.answer) return;
    const facts = parseFacts(explainer.explainLine(lastAnswer.bytes));
    explained = { answer: lastAnswer, facts };
    showFacts(facts, false);
}

function showPattern(kind, bits) {
    showFacts(parseFacts(kind === "float" ? explainer.explainFloat(bits) : explainer.explainInteger(bits)), true);
}

function showFacts(facts, changed) {
    displayed = facts;
    renderExplanation(explanation, facts, {
        changed,
        line: explained?.answer.line,
        actions: {
            flip: (bit) => showPattern(displayed.kind, (parseInt(displayed.pattern, 16) ^ (2 ** bit)) >>> 0),
            show: (pattern) => showPattern(displayed.kind, parseInt(pattern, 16)),
            type: (line) => program && submit([line]),
            back: () => showFacts(explained.facts, false),
        },
    });
}

// The panel can be hidden; the page remembers that.
const HIDDEN_KEY = "pointerek.explanation-hidden";
function setExplanationHidden(hidden) {
    explanation.hidden = hidden;
    explanationToggle.setAttribute("aria-expanded", String(!hidden));
    explanationToggle.textContent = hidden ? "Megjelenítés" : "Elrejtés";
    document.body.classList.toggle("explanation-hidden", hidden);
    try {
        localStorage.setItem(HIDDEN_KEY, hidden ? "1" : "0");
    } catch {
        // no storage (a private window): the choice lasts until the page closes
    }
}
explanationToggle.addEventListener("click", () => setExplanationHidden(!explanation.hidden));
try {
    if (localStorage.getItem(HIDDEN_KEY) === "1") setExplanationHidden(true);
} catch {
    // no storage: shown
}

// Ctrl+C ends the program, as in a console, with no text from the program.
function interrupt() {
    buffer.write(`${field.value}^C\n`);
    field.value = "";
    draw();
    finish();
}

// Enter hands over the field's value: the text shown, however it was
// typed, composed or dictated. Some phone keyboards send Enter while a word
// is still being composed and end the composition after it; the field is
// emptied only then, since emptying it earlier would leave the keyboard
// to commit the word again into the next line.
let clearAfterComposition = false;
field.addEventListener("compositionend", () => {
    if (clearAfterComposition) {
        clearAfterComposition = false;
        setTimeout(() => (field.value = ""));
    }
});

function takeLine(composing) {
    const line = field.value;
    if (composing) {
        clearAfterComposition = true;
    } else {
        field.value = "";
    }
    submit([line]);
}

field.addEventListener("keydown", (event) => {
    if (event.isComposing && event.key !== "Enter") return; // the keyboard's own
    switch (event.key) {
        case "Enter":
            takeLine(event.isComposing);
            break;
        case "Escape":
            field.value = "";
            break;
        case "ArrowUp":
        case "ArrowDown": {
            const line = history.recall(event.key === "ArrowUp" ? -1 : 1);
            if (line !== undefined) {
                field.value = line;
                field.setSelectionRange(line.length, line.length);
            }
            break;
        }
        default:
            return;
    }
    event.preventDefault();
});
// Keyboards that submit the form without an Enter key event.
consoleBox.addEventListener("submit", (event) => {
    event.preventDefault();
    takeLine(false);
});

// A paste of one line is the field's own; one of several lines is
// answered line by line, and what follows the last line end stays.
field.addEventListener("paste", (event) => {
    const text = event.clipboardData.getData("text/plain");
    const { lines, rest } = splitPasted(text);
    if (lines.length === 0) return;
    event.preventDefault();
    const { selectionStart: start, selectionEnd: end, value } = field;
    lines[0] = value.slice(0, start) + lines[0];
    field.value = rest + value.slice(end);
    field.setSelectionRange(rest.length, rest.length);
    submit(lines);
});

document.addEventListener("keydown", (event) => {
    if (!event.ctrlKey || event.altKey || event.metaKey || event.key.toLowerCase() !== "c" || !program) return;
    const selected = field.selectionStart !== field.selectionEnd || !document.getSelection().isCollapsed;
    if (selected) return; // copies
    event.preventDefault();
    interrupt();
});

// A tap or click on the console brings up the keyboard, unless it selected text.
consoleBox.addEventListener("click", () => {
    if (program && document.getSelection().isCollapsed) field.focus({ preventScroll: true });
});
restart.addEventListener("click", () => {
    run();
    field.focus();
});
// Once laid out, and whenever its width changes, before it is painted.
new ResizeObserver(([entry]) => fitFont(entry.contentBoxSize[0].inlineSize)).observe(consoleBox);

// The field has autofocus, which takes no time from the first prompt.
run();

// A link may carry lines to type, answered as a paste is:
// pointerek.html#0.1;0.2;-5
if (location.hash.length > 1) {
    let lines = location.hash.slice(1);
    try {
        lines = decodeURIComponent(lines);
    } catch {
        // not percent-encoded: the text as it stands
    }
    submit(lines.split(";"));
}
