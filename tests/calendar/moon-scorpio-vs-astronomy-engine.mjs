// MoonInScorpioPeriods against an independent lunar theory, the
// `astronomy-engine` package (its EclipticGeoMoon: the true ecliptic and
// equinox of date): every entering and leaving of Shamsi 1404 and 1405 within
// two minutes, and not one period more or fewer.
// Usage: node moon-scorpio-vs-astronomy-engine.mjs <moon_scorpio_dump> <folder for npm>
import { execFileSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const [dump, npmDir] = process.argv.slice(2);
if (!existsSync(path.join(npmDir, 'node_modules', 'astronomy-engine'))) {
  execFileSync('npm', ['install', '--no-save', '--prefix', npmDir, 'astronomy-engine@2.1.19'], { stdio: 'inherit' });
}
const Astronomy = createRequire(path.join(npmDir, 'x.js'))('astronomy-engine');

const from = Date.UTC(2025, 2, 20, 20, 30) / 1000;  // 1 Farvardin 1404, 00:00 in Tehran
const to = Date.UTC(2027, 2, 20, 20, 30) / 1000;    // 1 Farvardin 1406
const longitude = (seconds) => Astronomy.EclipticGeoMoon(new Date(seconds * 1000)).lon;
const past = (seconds, edge) => (longitude(seconds) - edge + 540) % 360 - 180 >= 0;

// Every crossing of an edge, hour by hour, then halved down to a second.
function crossings(edge) {
  const found = [];
  for (let t = from - 3 * 86400; t < to + 3 * 86400; t += 3600) {
    if (past(t, edge) || !past(t + 3600, edge)) continue;
    let lo = t, hi = t + 3600;
    while (hi - lo > 1) {
      const mid = (lo + hi) / 2;
      if (past(mid, edge)) hi = mid; else lo = mid;
    }
    found.push(hi);
  }
  return found;
}
const enters = crossings(210), leaves = crossings(240);
const theirs = [];
for (const enter of enters) {
  const leave = leaves.find(l => l > enter);
  if (leave !== undefined && leave > from && enter < to) theirs.push([enter, leave]);
}
const ours = execFileSync(dump, [String(from), String(to)]).toString().trim().split('\n')
  .map(line => line.split(' ').map(Number));

let failures = 0, worst = 0;
if (ours.length !== theirs.length) {
  console.log(`FAIL ${ours.length} periods, astronomy-engine has ${theirs.length}`);
  failures++;
}
theirs.forEach((period, i) => period.forEach((moment, k) => {
  const difference = ours[i] ? Math.abs(ours[i][k] - moment) : Infinity;
  worst = Math.max(worst, difference);
  if (!(difference <= 120) && ++failures <= 10) {
    console.log(`FAIL ${k ? 'leaving' : 'entering'} ${new Date(moment * 1000).toISOString()}: ours ${ours[i]?.[k]}`);
  }
}));
console.log(`${theirs.length} periods; largest difference ${worst.toFixed(0)} s; ${failures} failed`);
process.exit(failures ? 1 : 0);
