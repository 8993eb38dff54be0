#include "model/TurnTexts.h"

#include "platform/NumText.h"

namespace model {

using platform::Format;

void AppendDumpHead(std::string& text) {
    text += "                 CORE DUMP FILE\n                 ==============\n";
}

void AppendDumpTurnHead(std::string& text, int volumeTurn, int windTurn, int onsetTurn) {
    text += Format("\n IV = %d\n", volumeTurn);
    text += Format("  IW = %d\n", windTurn);
    text += Format("   IB = %d\n", onsetTurn);
}

void AppendDumpStepHead(std::string& text, int step) { text += Format("\n\t step = %d\n", step); }

void AppendDumpRemoval(std::string& text, int admitted, double slickArea, double oilRatio, int lastSubStep,
                       double totalVol) {
    text += Format("\t\t LEsum = %d\n", admitted);
    text += Format("\t\t area = %.2f\n", slickArea);
    text += Format("\t\t OilRatio = %.2f\n", oilRatio);
    text += Format("\t\t deltat = %d\n", lastSubStep);
    text += Format("\t\t total.vol = %.2f\n", totalVol);
}

void AppendDumpElement(std::string& text, int i, const SLERecord& e, double area, double thick) {
    text += Format("\n\t\t\t LE_area\t= %.4f\n", area);
    text += Format("\t\t\t LE[%d].Vol\t= %.4f\n", i, e.Vol);
    text += Format("\t\t\t LE[%d].thick\t= %.4f\n", i, thick);
    text += Format("\t\t\t LE[%d].Y\t= %e\n", i, e.Y);
    text += Format("\t\t\t LE[%d].S\t= %e\n", i, e.S);
    text += Format("\t\t\t LE[%d].f_evap\t= %e\n", i, e.f_evap);
    text += Format("\t\t\t LE[%d].visc\t= %e\n", i, e.visc);
    text += Format("\t\t\t LE[%d].rho\t= %.4f\n", i, e.rho);
    text += Format("\t\t\t LE[%d].vp\t= %.4f\n", i, e.vp);
    text += Format("\t\t\t LE[%d].benz\t= %e\n", i, e.benz);
    text += Format("\t\t\t LE[%d].mv\t= %.4f\n", i, e.mv);
    text += Format("\t\t\t LE[%d].vol_disp\t= %.4f\n", i, e.vol_disp);
    text += Format("\t\t\t LE[%d].evex\t= %.4f\n", i, e.evex);
}

void AppendDumpStepEnd(std::string& text, const SStepSums& s, double minBenzene, double benz0,
                       const CWeatheringCore::SBudgetTotals& totals, double slickArea, const SWaveHour& wave) {
    text += Format("\n\t\t oilSum    = %.4f\n", s.oilSum);
    text += Format("\n\t\t rhoAv     = %.4f\n", s.rhoSum);
    text += Format("\t\t rho2Av    = %.4f\n", s.rho2Sum);
    text += Format("\t\t rhominLE  = %.4f\n", s.rhoMin);
    text += Format("\t\t rhomaxLE  = %.4f\n", s.rhoMax);
    text += Format("\n\t\t viscAv    = %e\n", s.viscSum);
    text += Format("\t\t visc2Av   = %e\n", s.visc2Sum);
    text += Format("\t\t viscminLE = %e\n", s.viscMin);
    text += Format("\t\t viscmaxLE = %e\n", s.viscMax);
    text += Format("\n\t\t YAv    = %e\n", s.waterSum);
    text += Format("\t\t Y2Av   = %e\n", s.water2Sum);
    text += Format("\t\t YminLE = %e\n", s.waterMin);
    text += Format("\t\t YmaxLE = %e\n", s.waterMax);
    text += Format("\n\t\t benzAv     = %e\n", s.benzSum);
    text += Format("\t\t benz2Av    = %e\n", s.benz2Sum);
    text += Format("\t\t MinBenzene = %e\n", minBenzene);
    text += Format("\t\t benz0      = %e\n", benz0);
    text += Format("\n\t\t total.disp = %e\n", totals.disp);
    text += Format("\t\t total.evap = %e\n", totals.evap);
    text += Format("\t\t total.spill = %e\n", totals.spill);
    text += Format("\n\t\t Slick.Area = %.4f\n", slickArea);
    // The waves of the best wind.
    text += Format("\t\t Wave.Hrms  = %.4f\n", wave.Hrms[0]);
    text += Format("\t\t Wave.f_bw  = %.4f\n", wave.f_bw[0]);
    text += Format("\t\t Wave.De    = %.4f\n", wave.De[0]);
    text += "\n\t *************** end of step ***************\n\n";
}

void AppendDumpEnd(std::string& text) { text += "\n*************** end of dump file ***************\n\n"; }

void AppendVolFracHead(std::string& text, const CWeatheringCore& c) {
    text += "Hours";
    for (int k = 0; k < c.compCount; ++k) text += Format("\tCut #%-2d", k + 1);
    text += "\tVolume Remaining\n";
    text += "Density";
    for (int k = 0; k < c.compCount; ++k) text += Format("\t%.4f", c.compMW[k] / c.compMolVol[k]);
    text += "\n0.0";
    for (int k = 0; k < c.compCount; ++k) text += Format("\t%.4f", c.compFrac0[k]);
    text += "\n";
}

void AppendVolFracLine(std::string& text, const CWeatheringCore& c, int step, int row, double volSum) {
    double rowSum = 0.0;
    for (int k = 0; k < c.compCount; ++k) rowSum += c.compRemain[k][row];
    text += Format("%.1f", (step + 1) * c.dt / 3600.0);
    for (int k = 0; k < c.compCount; ++k) text += Format("\t%.4f", rowSum != 0.0 ? c.compRemain[k][row] / rowSum : 0.0);
    text += Format("\t%.4f\n", volSum);
}

void AppendSlickAreaHead(std::string& text) {
    text += " Hour\tSlick Area (sq.m)\n=======================================\n";
}

void AppendSlickAreaLine(std::string& text, double hours, double slickArea) {
    text += Format("%5.0f\t", hours);
    text += Format("%12.2f\n", slickArea);
}

void AppendSlickAreaTurnEnd(std::string& text) { text += "----------------------------\n"; }

}  // namespace model
