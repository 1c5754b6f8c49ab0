// The WASI calls that the page's module makes, answered by the page: its
// standard input is the line that the page hands over, its standard output
// goes to the page's console, and so do its colour and clearing calls.

const SUCCESS = 0;
const BAD_DESCRIPTOR = 8;
const NOT_SEEKABLE = 70;
const CHARACTER_DEVICE = 2;
// The bytes of a line that the program keeps.
const LINE_KEPT = 59;

// One run of the dialogue in a new instance of the module. The console
// takes write(bytes), setAttribute(attribute) and clear(), in the order in
// which the program makes them.
export function startProgram(module, console) {
    let memory = null;
    let input = new Uint8Array(0);

    // Views of the memory, made again when it has grown.
    let dataView = null;
    const view = () => (dataView?.buffer === memory.buffer ? dataView : (dataView = new DataView(memory.buffer)));
    const bytes = (address, length) => new Uint8Array(memory.buffer, address, length);
    // The (address, length) pairs of an iovec array.
    function* pieces(iovs, count) {
        for (let i = 0; i < count; i++) {
            yield [view().getUint32(iovs + 8 * i, true), view().getUint32(iovs + 8 * i + 4, true)];
        }
    }

    const system = {
        fd_read(fd, iovs, count, readAddress) {
            if (fd !== 0) return BAD_DESCRIPTOR;
            let read = 0;
            for (const [address, length] of pieces(iovs, count)) {
                const taken = input.subarray(0, length);
                bytes(address, taken.length).set(taken);
                input = input.subarray(taken.length);
                read += taken.length;
            }
            view().setUint32(readAddress, read, true);
            return SUCCESS;
        },
        fd_write(fd, iovs, count, writtenAddress) {
            if (fd !== 1 && fd !== 2) return BAD_DESCRIPTOR;
            let written = 0;
            for (const [address, length] of pieces(iovs, count)) {
                console.write(bytes(address, length).slice());
                written += length;
            }
            view().setUint32(writtenAddress, written, true);
            return SUCCESS;
        },
        // The standard streams are the screen and the keyboard.
        fd_fdstat_get(fd, statAddress) {
            if (fd > 2) return BAD_DESCRIPTOR;
            bytes(statAddress, 24).fill(0);
            view().setUint8(statAddress, CHARACTER_DEVICE);
            return SUCCESS;
        },
        fd_seek: () => NOT_SEEKABLE,
        fd_close: () => SUCCESS,
    };
    const screen = {
        set_attribute: (attribute) => console.setAttribute(attribute),
        clear_screen: () => console.clear(),
    };

    const instance = new WebAssembly.Instance(module, {
        wasi_snapshot_preview1: system,
        pointerek: screen,
    });
    memory = instance.exports.memory;
    instance.exports._initialize();
    instance.exports.start_dialogue();
    const exports = instance.exports;
    // The explanation's facts, a zero-terminated text in the module's memory.
    const facts = (address) => {
        const text = new Uint8Array(memory.buffer, address);
        return new TextDecoder().decode(text.subarray(0, text.indexOf(0)));
    };
    return {
        // Answers one typed line (its bytes, without a line end); false once
        // the user has left.
        answer(line) {
            input = new Uint8Array(line.length + 1);
            input.set(line);
            input[line.length] = 0x0a;
            return exports.dialogue_step() !== 0;
        },
        // The facts of a line as the program answers it, and of patterns.
        explainLine(line) {
            const kept = line.subarray(0, LINE_KEPT);
            bytes(exports.explained_line(), kept.length).set(kept);
            return facts(exports.explain_line(line.length));
        },
        explainFloat: (bits) => facts(exports.explain_float(bits)),
        explainInteger: (bits) => facts(exports.explain_integer(bits)),
    };
}
