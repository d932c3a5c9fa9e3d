// Reads an IGC file with the igc-parser package in its strict mode and
// prints what it found, one record a line, for the interoperability tests:
//   date,YYYY-MM-DD
//   task,<declared turnpoints>,<number of points>
//   point,<latitude>,<longitude>,<name>
//   fix,<hh:mm:ss>,<ms since 1970>,<latitude>,<longitude>,<pressure alt>,<GNSS alt>,<ENL x 1000>
// Latitudes and longitudes in degrees; a missing altitude or ENL prints as
// "null".  A file the parser refuses prints the parser's message on
// standard error and exits with status 1.
//   node igc_check.js MODULE_FOLDER FILE
'use strict';
const fs = require('fs');
const path = require('path');

const [moduleFolder, file] = process.argv.slice(2);
if (!moduleFolder || !file) {
  process.stderr.write('usage: node igc_check.js MODULE_FOLDER FILE\n');
  process.exit(2);
}
const IGCParser = require(path.join(path.resolve(moduleFolder), 'node_modules', 'igc-parser'));

let result;
try {
  result = IGCParser.parse(fs.readFileSync(file, 'latin1'), { lenient: false });
} catch (e) {
  process.stderr.write(String(e && e.message ? e.message : e) + '\n');
  process.exit(1);
}

const out = [];
const num = (v) => (v === null || v === undefined ? 'null' : String(v));
out.push(`date,${result.date}`);
if (result.task) {
  out.push(`task,${result.task.numTurnpoints},${result.task.points.length}`);
  for (const p of result.task.points) out.push(`point,${p.latitude},${p.longitude},${p.name || ''}`);
}
for (const f of result.fixes) {
  const enl = f.enl === null ? null : Math.round(f.enl * 1000);
  out.push(`fix,${f.time},${f.timestamp},${f.latitude},${f.longitude},` +
           `${num(f.pressureAltitude)},${num(f.gpsAltitude)},${num(enl)}`);
}
process.stdout.write(out.join('\n') + '\n');
