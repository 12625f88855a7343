// Where the Moon is along the ecliptic: the main periodic terms of the
// ELP-2000/82 lunar theory as tabulated by Meeus (Astronomical Algorithms,
// 2nd ed., chapter 47: the 60 longitude terms with the eccentricity factor E
// and the three additive terms), good to about 10″ between 1900 and 2100,
// with the nutation in longitude (chapter 22, its short series, 0.5″).
#pragma once

namespace tavilo {

// ΔT = TT − UT in seconds at a moment given as a Julian Day in UT: the
// polynomials of Espenak and Meeus (NASA's Five Millennium Canon of Solar
// Eclipses, 2006) for 1900 to 2150, their long-term parabola outside.
double DeltaTSeconds(double julianDayUT);

// The Moon's apparent geocentric ecliptic longitude (tropical, of date,
// nutation included), in degrees from 0 up to 360, at a Julian Day in UT.
double MoonApparentLongitudeDegrees(double julianDayUT);

// The same longitude unwrapped: a continuous, increasing function of time
// (the Moon never moves backwards in longitude) that grows by 360 a month,
// so a crossing of 210° is a root of MoonUnwrappedLongitude(t) = 210 + 360k.
double MoonUnwrappedLongitude(double julianDayUT);

}  // namespace tavilo
