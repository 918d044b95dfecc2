// Draws every line of a file with bwip-js, a file a line, as a batch tool would: the bench's
// second peer. Usage: node bwip_batch.js BCID svg|png LINES FOLDER
"use strict";
const fs = require("fs");
const path = require("path");
const bwipjs = require("bwip-js");

async function main() {
    const [bcid, format, input, folder] = process.argv.slice(2);
    const lines = fs.readFileSync(input, "ascii").split("\n").filter((line) => line !== "");
    let index = 0;
    for (const text of lines) {
        const options = { bcid, text, scale: 3, includetext: bcid === "gs1-128" };
        if (bcid === "qrcode") {
            options.eclevel = "M";
        }
        const name = path.join(folder, `${++index}.${format}`);
        if (format === "svg") {
            fs.writeFileSync(name, bwipjs.toSVG(options));
        } else {
            fs.writeFileSync(name, await bwipjs.toBuffer(options));
        }
    }
}

main().catch((error) => {
    console.error(`bwip_batch: ${error.message || error}`);
    process.exit(1);
});
