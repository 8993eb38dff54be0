// The unit lists of the release dialogs and the two conversions the
// contained release and the leaking-tank wizard check their amounts with.
#pragma once

#include <array>
#include <cstddef>

namespace ui {

// Volume units: list index 0-4; the records store the index + 1.
inline constexpr std::array<const char*, 5> kVolumeUnitNames{"bbl", "gal", "cu m", "tons", "metric tons"};
// Rates of the continuous release, list index 0-5.
inline constexpr std::array<const char*, 6> kRateUnitNames{"bbl/hr",  "gal/hr",         "cu m/hr",
                                                           "tons/hr", "metric tons/hr", "gal/min"};
inline constexpr int kRateGalPerMin = 5;
// Areas of the contained release: list index 0-2; the record stores the
// index + 1.
inline constexpr std::array<const char*, 3> kAreaUnitNames{"sq. feet", "sq. yards", "sq. meters"};
inline constexpr int kAreaSqFeet = 0, kAreaSqYards = 1, kAreaSqMeters = 2;
// Duration of the continuous release.
inline constexpr std::array<const char*, 2> kDurationUnitNames{"Hours", "Days"};

// value in the volume unit of list index unit -> cubic metres; tons are
// turned into volume at an oil density of 850 kg/m3. Other indexes leave
// the value as it is.
double ConvertVolumeToCubicMeters(double value, int unit);
// value in the area unit of list index unit -> square metres. Other
// indexes leave the value as it is.
double ConvertAreaToSquareMeters(double value, int unit);

// The list index of a stored index or code: the nearest entry of a list of
// n entries.
int ClampIndex(int index, std::size_t n);
// The list index of a record's unit code (index + 1).
inline int CodeIndex(int code, std::size_t n) { return ClampIndex(code - 1, n); }

}  // namespace ui
