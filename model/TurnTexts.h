// The text formats of the time loop's three files: the core dump
// "TavroCore.dmp", the composition file "VolFrac.txt" and the slick-area file
// "SlickArea.txt". Each routine appends to a string with '\n' line ends
// (the file writer turns them into CR LF).
#pragma once

#include <string>

#include "model/WeatheringCore.h"

namespace model {

inline constexpr const char* kDumpFileName = "TavroCore.dmp";
inline constexpr const char* kVolFracFileName = "VolFrac.txt";
inline constexpr const char* kSlickAreaFileName = "SlickArea.txt";

// Volume-weighted sums and extremes of one step's admitted elements, the
// area-weighted benzene sums, and the turn's running totals.
struct SStepSums {
    double oilSum;  // m3 of oil on the water after the step
    double rhoSum, rho2Sum, rhoMin, rhoMax;
    double viscSum, visc2Sum, viscMin, viscMax;
    double waterSum, water2Sum, waterMin, waterMax;
    double benzSum, benz2Sum;
};

// ---- "TavroCore.dmp" ----
void AppendDumpHead(std::string& text);
void AppendDumpTurnHead(std::string& text, int volumeTurn, int windTurn, int onsetTurn);
void AppendDumpStepHead(std::string& text, int step);
// The step's admission and response removal.
void AppendDumpRemoval(std::string& text, int admitted, double slickArea, double oilRatio, int lastSubStep,
                       double totalVol);
// One element's state after the step; area and thickness are those the step used.
void AppendDumpElement(std::string& text, int index, const SLERecord& element, double area, double thick);
void AppendDumpStepEnd(std::string& text, const SStepSums& sums, double minBenzene, double benz0,
                       const CWeatheringCore::SBudgetTotals& totals, double slickArea, const SWaveHour& wave);
void AppendDumpEnd(std::string& text);

// ---- "VolFrac.txt" ----
// Column names, the component densities and the starting fractions.
void AppendVolFracHead(std::string& text, const CWeatheringCore& core);
// The relative composition of evaporation-table row `row`, and the volume
// of the elements, at the end of the step.
void AppendVolFracLine(std::string& text, const CWeatheringCore& core, int step, int row, double volSum);

// ---- "SlickArea.txt" ----
void AppendSlickAreaHead(std::string& text);
void AppendSlickAreaLine(std::string& text, double hours, double slickArea);
void AppendSlickAreaTurnEnd(std::string& text);

}  // namespace model
