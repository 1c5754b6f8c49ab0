// Builds the page as one file: the module, the script and the styles, all
// inlined, so that it works from disk.
//
//   node web/build.mjs MODULE.wasm PAGE.html
import { build } from "esbuild";
import { readFile, writeFile } from "node:fs/promises";
import { argv } from "node:process";

const [modulePath, pagePath] = argv.slice(2);
const here = new URL(".", import.meta.url).pathname;

// The page's module, imported by the script as bytes.
const modulePlugin = {
    name: "pointerek-module",
    setup(plugin) {
        plugin.onResolve({ filter: /^pointerek:module$/ }, () => ({ path: modulePath, namespace: "module" }));
        plugin.onLoad({ filter: /.*/, namespace: "module" }, async (args) => ({
            contents: await readFile(args.path),
            loader: "binary",
        }));
    },
};

const bundle = async (entry, options) =>
    (await build({ entryPoints: [here + entry], bundle: true, minify: true, write: false, ...options }))
        .outputFiles[0].text;

const script = await bundle("main.js", { format: "iife", target: "es2022", plugins: [modulePlugin] });
const style = await bundle("page.css", {});
if (script.includes("</script") || style.includes("</style")) {
    throw new Error("the script or the styles would end their element early");
}
const template = await readFile(here + "page.html", "utf8");
const page = template.replace("/*style*/", () => style).replace("/*script*/", () => script);
await writeFile(pagePath, page);
