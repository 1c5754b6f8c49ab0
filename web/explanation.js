// The "Magyarázat" panel: what the bits of the last answer mean. Every
// number in it comes from the module's facts (see explain/explain.h); this
// file only lays them out, in Hungarian.

// The facts text, "name value" a line, as an object.
export function parseFacts(text) {
    const facts = {};
    for (const line of text.split("\n")) {
        if (line === "") continue;
        const space = line.indexOf(" ");
        facts[space < 0 ? line : line.slice(0, space)] = space < 0 ? "" : line.slice(space + 1);
    }
    return facts;
}

const MINUS = "\u2212";
// Negative numbers with a real minus sign, as Hungarian typesetting has it.
const number = (text) => text.replace(/^-/, MINUS);

function element(tag, properties = {}, ...children) {
    const node = document.createElement(tag);
    Object.assign(node, properties);
    node.append(...children);
    return node;
}

// A power of two, 2 with a raised exponent.
const power = (exponent) => element("span", {}, "2", element("sup", {}, number(String(exponent))));

// One fact: its name and what it says.
function row(list, name, ...value) {
    list.append(element("dt", {}, name), element("dd", {}, ...value));
}

// A long exact number may break anywhere.
const exact = (text) => element("span", { className: "exact" }, number(text));

const FIELDS = { sign: "előjel", exponent: "kitevő", fraction: "törtrész" };

// The bits as buttons, most significant first, grouped by byte as in the
// program's hexadecimal line, each coloured by its field.
function bitButtons(facts, flip) {
    const bits = facts.bits;
    const width = bits.length;
    const bytes = element("div", { className: "bytes" });
    for (let byte = 0; byte < width / 8; byte++) {
        const group = element("div", { className: "byte" });
        const hex = facts.pattern.slice(2 * byte, 2 * byte + 2);
        group.append(element("div", { className: "hex" }, hex));
        // The bit numbers above the bits, for the eye; a bit's name says it.
        const numbers = element("div", { className: "bit-row bit-numbers", ariaHidden: "true" });
        const line = element("div", { className: "bit-row" });
        for (let k = 0; k < 8; k++) {
            const index = byte * 8 + k;
            const bit = width - 1 - index;
            const field = width === 16 ? (bit === 15 ? "sign" : "value")
                        : bit === 31 ? "sign" : bit >= 23 ? "exponent" : "fraction";
            numbers.append(element("span", {}, String(bit)));
            const button = element("button", { type: "button", className: `bit ${field}` }, bits[index]);
            button.setAttribute("aria-label", `${bit}. bit (${FIELDS[field] ?? "érték"}): ${bits[index]}, átbillentés`);
            button.addEventListener("click", () => flip(bit));
            line.append(button);
        }
        group.append(numbers);
        group.append(line);
        bytes.append(group);
    }
    return bytes;
}

// The bytes by address, as a little-endian machine holds them.
function memory(list, facts) {
    const bytes = facts.bytes.split(" ");
    row(list, "A memóriában, cím szerint",
        element("span", { className: "exact addresses" }, bytes.map((byte, i) => `+${i}: ${byte}`).join("   ")),
        element("br"),
        `A kis endiánú gép a legkisebb helyiértékű bájtot tárolja a legkisebb címen; a program a legnagyobb helyiértékűvel kezdve írja ki: ${[...bytes].reverse().join(" ")}.`);
}

function floatFacts(list, facts) {
    row(list, "Előjel (1 bit)", `${facts.sign}: ${facts.sign === "1" ? "negatív" : "pozitív"}`);
    const exponentText = {
        normal: () => [`E = ${facts.exponent}; a szorzó `, power(Number(facts.power)),
                       ` (${facts.exponent} ${MINUS} 127 = ${number(facts.power)})`],
        denormal: () => [`E = 0: denormalizált szám, a szorzó `, power(-126), ", rejtett 1-es nélkül"],
        zero: () => ["E = 0 és a törtrész 0: nulla"],
        infinity: () => ["E = 255 és a törtrész 0: végtelen"],
        quiet_nan: () => ["E = 255 és a törtrész nem 0: NaN (nem szám), csendes (a törtrész legfelső bitje 1)"],
        signalling_nan: () => ["E = 255 és a törtrész nem 0: NaN (nem szám), jelző (a törtrész legfelső bitje 0)"],
    }[facts.class]();
    row(list, "Kitevő (8 bit)", `${facts.exponent_bits}, azaz `, ...exponentText);
    row(list, "Törtrész (23 bit)", facts.fraction_bits);
    if (facts.significand) {
        row(list, "Értékes jegyek, kettes számrendszerben",
            exact(facts.significand), ` (${facts.class === "normal" ? "1,f" : "0,f"})`);
    }
    if (facts.stored !== undefined) {
        row(list, "A tárolt érték pontosan", exact(facts.stored));
    }
    row(list, "A program értéksora", facts.value_line);
    if (facts.typed !== undefined) {
        row(list, "A beírt szám", exact(facts.typed_exact ?? facts.typed));
        if (facts.error !== undefined) {
            row(list, "Az átalakítás hibája (beírt − tárolt)", exact(facts.error),
                element("br"), "az utolsó helyiérték egységében: ", exact(facts.error_ulp ?? ""));
        } else if (facts.overflow) {
            row(list, "Az átalakítás", "A beírt szám nagyobb a legnagyobb lebegőpontos számnál: végtelen lett.");
        }
    } else if (facts.converted === "none") {
        row(list, "Az átalakítás", "A sorból nem olvasható szám, így az érték 0 maradt.");
    }
    for (const [side, name, gap] of [["below", "Az előző lebegőpontos szám", "gap_below"],
                                     ["above", "A következő lebegőpontos szám", "gap_above"]]) {
        if (facts[side] === undefined) continue;
        const value = facts[side] === "INF" || facts[side] === "-INF" ? [number(facts[side].replace("INF", "végtelen"))]
                    : [exact(facts[side]), element("br"), "távolsága: ", exact(facts[gap])];
        row(list, name, ...value);
    }
}

function integerFacts(list, facts) {
    row(list, "Érték", number(facts.value));
    const weights = facts.weights === "" ? ["0"] : facts.weights.split(" ").map(number);
    row(list, "A bitek súlyainak összege",
        exact(`${weights.join(" + ")} = ${number(facts.value)}`), element("br"),
        `A legfelső bit súlya ${MINUS}32768, a többié 2 hatványa (16384 … 1).`);
    if (facts.magnitude !== undefined) {
        row(list, "Negálás és 1 hozzáadása",
            `${facts.inverted} = ${facts.inverted_value}, ehhez 1-et adva ${facts.magnitude}: ` +
            `a szám ${number(facts.value)}.`);
    }
    if (facts.float !== undefined) {
        row(list, "Csonkítás", `A sor lebegőpontos értéke `, exact(facts.float),
            `; egészként a program nulla felé csonkítja: ${number(facts.value)}.`);
    } else if (facts.converted === "none") {
        row(list, "Az átalakítás", "A sorból nem olvasható szám, így az érték 0.");
    }
}

// The panel for one set of facts. actions: flip(bit), show(pattern),
// type(line), back() (only for a changed pattern).
export function renderExplanation(body, facts, { changed, line, actions }) {
    const parts = [];
    if (facts.kind === "invalid") {
        parts.push(element("h3", {}, "Érvénytelen karakter(ek)"));
        if (facts.long !== undefined) {
            parts.push(element("p", {}, `A sor ${facts.long} bájtos: a program legfeljebb 59 bájtot tart meg, ` +
                                        "a hosszabb sort elutasítja (kivéve, ha k vagy K betűvel kezdődik)."));
        } else {
            const where = facts.dash === "0" ? "A sorban nincs „-”, ezért az elejétől kezdve"
                                             : `Az első „-” (a ${facts.dash}. bájt) után`;
            parts.push(element("p", {}, `${where} csak számjegy és pont állhat. ` +
                                        `A ${facts.position}. bájt ${facts.byte}h` +
                                        `${/^[2-7]/.test(facts.byte) && facts.byte !== "7F" ? ` („${String.fromCharCode(parseInt(facts.byte, 16))}”)` : ""}, ` +
                                        "ez sértette meg a szabályt."));
        }
    } else if (facts.kind === "too_large") {
        parts.push(element("h3", {}, "Túl nagy a szám"));
        parts.push(element("p", {}, `A két bájtos egész ${MINUS}32768 és 32767 között lehet. A sor értéke `,
                           facts.float !== undefined ? exact(facts.float) : facts.value_line,
                           facts.float !== undefined ? ` (${facts.value_line})` : "", ", ez kívül esik rajta."));
    } else {
        const title = facts.kind === "float" ? "Lebegőpontos szám (4 bájt)" : "Egész szám (2 bájt)";
        parts.push(element("h3", {}, title));
        parts.push(element("p", { className: "source" }, changed ? "Átbillentett vagy léptetett bitminta"
                                                                  : `A program válasza erre a sorra: ${line}`));
        parts.push(bitButtons(facts, actions.flip));
        const list = element("dl");
        (facts.kind === "float" ? floatFacts : integerFacts)(list, facts);
        memory(list, facts);
        parts.push(list);
        const buttons = element("div", { className: "actions" });
        const button = (text, action, enabled = true) => {
            const b = element("button", { type: "button", textContent: text, disabled: !enabled });
            b.addEventListener("click", action);
            buttons.append(b);
        };
        button("Előző", () => actions.show(facts.previous), facts.previous !== undefined);
        button("Következő", () => actions.show(facts.next), facts.next !== undefined);
        button("Beírás", () => actions.type(facts.line), facts.line !== undefined);
        if (changed) button("Vissza", actions.back);
        parts.push(buttons);
        if (facts.line !== undefined) {
            parts.push(element("p", {}, "A „Beírás” ezt a sort írja be, amelyből a program pontosan ezt a bitmintát " +
                                        "olvassa: ", element("code", {}, facts.line)));
        } else {
            parts.push(element("p", {}, "Ezt a NaN-t egyetlen beírt sor sem adja: a program átalakítása csak a " +
                                        "7F C0 00 00 mintájú NaN-t állítja elő."));
        }
    }
    body.replaceChildren(...parts);
}
