// MoonInScorpioPeriods against astronomy-engine's EclipticGeoMoon (another lunar theory): the same periods
// over Shamsi 1404 and 1405, each moment within 2 minutes. Arguments: <moon_scorpio_dump> <folder for npm>
import { execFileSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
const [dump, npmDir] = process.argv.slice(2).map(p => path.resolve(p));
if (!existsSync(path.join(npmDir, 'node_modules', 'astronomy-engine')))
  execFileSync('npm', ['install', '--no-save', '--prefix', npmDir, 'astronomy-engine@2.1.19'], { stdio: 'inherit' });
const Astronomy = createRequire(path.join(npmDir, 'x.js'))('astronomy-engine');
const from = Date.UTC(2025, 2, 20, 20, 30) / 1000, to = Date.UTC(2027, 2, 20, 20, 30) / 1000;  // 1 Farvardin 1404, 1406
const past = (t, edge) => (Astronomy.EclipticGeoMoon(new Date(t * 1000)).lon - edge + 540) % 360 >= 180;
// Each crossing of an edge, found hour by hour, then halved down to a second.
const crossings = (edge, found = []) => {
  for (let t = from - 3 * 86400, lo, hi; t < to + 3 * 86400; t += 3600) {
    if (past(t, edge) || !past(t + 3600, edge)) continue;
    for (lo = t, hi = t + 3600; hi - lo > 1;) past((lo + hi) / 2, edge) ? hi = (lo + hi) / 2 : lo = (lo + hi) / 2;
    found.push(hi);
  }
  return found;
};
const leaves = crossings(240);
const theirs = crossings(210).map(enter => [enter, leaves.find(l => l > enter)]).filter(([e, l]) => l > from && e < to);
const ours = execFileSync(dump, [from, to].map(String)).toString().trim().split('\n').map(l => l.split(' ').map(Number));
let worst = 0, failures = ours.length === theirs.length ? 0 : console.log(`FAIL ${ours.length} periods, not ${theirs.length}`) ?? 1;
theirs.flat().forEach((moment, i) => {
  const difference = Math.abs((ours[i >> 1]?.[i & 1] ?? Infinity) - moment);
  worst = Math.max(worst, difference);
  if (!(difference <= 120) && ++failures <= 10) console.log(`FAIL ${new Date(moment * 1000).toISOString()}: ${difference} s`);
});
console.log(`${theirs.length} periods; largest difference ${worst.toFixed(0)} s; ${failures} failed`);
process.exit(failures ? 1 : 0);
