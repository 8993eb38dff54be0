#include "document/InputDump.h"

#include "platform/Files.h"
#include "platform/NumText.h"

namespace document {

namespace {

using model::MAX_CUTS;
using model::MAX_HOURS;
using model::MAX_OPERATIONS;

class DumpText {
public:
    explicit DumpText(const platform::IClock& clock) : clock_(clock) {}

    void Line(const char* text) { out_ += text; }
    void Int(const std::string& name, int v) { Put(name, platform::Format("%d", v)); }
    void Real(const std::string& name, double v) { Put(name, platform::Format("%g", v)); }
    void Flag(const std::string& name, int v) { Put(name, v ? "true" : "false"); }
    void Text(const std::string& name, const std::string& v) { Put(name, v); }
    void When(const std::string& name, Time t) { Put(name, FormatDumpTime(t, clock_)); }
    // A value line without the two leading blanks.
    void RealAtStart(const std::string& name, double v) { out_ += name + "=" + platform::Format("%g", v) + "\n"; }

    // Every "\n" becomes CR LF, as the text mode of the first program did.
    std::string Finish() const { return platform::WithLineEnds(out_); }

private:
    void Put(const std::string& name, const std::string& value) { out_ += "  " + name + "=" + value + "\n"; }

    const platform::IClock& clock_;
    std::string out_;
};

std::string At(const char* name, int i) { return std::string(name) + "[" + std::to_string(i) + "]"; }

}  // namespace

std::string FormatDumpTime(Time t, const platform::IClock& clock) {
    static const char* const kDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::tm tm = clock.Local(static_cast<std::time_t>(t));
    int wday = (tm.tm_wday >= 0 && tm.tm_wday < 7) ? tm.tm_wday : 0;
    return platform::Format("%s %02d, %02d:00", kDays[wday], tm.tm_mday, tm.tm_hour);
}

std::string FormatInputDump(const Scenario& s, double rho0, double visc0, const platform::IClock& clock) {
    DumpText dump(clock);
    dump.Line("          INPUT DATA FILE\n");
    dump.Line("          ===============\n");
    dump.When("Spill Time", s.SpillTime);
    dump.When("InstantaneousTime", s.InstantaneousTime);
    dump.When("ContinuousTime", s.ContinuousTime);
    dump.When("TankTime", s.TankTime);
    dump.When("ContainedTime", s.ContainedTime);

    dump.Line("passed dialog flags\n");
    dump.Flag("m_bWaterInputPassed", s.m_bWaterInputPassed);
    dump.Flag("m_bWindAndWaveInputPassed", s.m_bWindAndWaveInputPassed);
    dump.Flag("m_bOilInputPassed", s.m_bOilInputPassed);
    dump.Flag("m_bReleaseInputPassed", s.m_bReleaseInputPassed);

    dump.Line("emulsifiaction dialog variables\n");
    dump.Flag("m_bEmulsDefault", s.m_bEmulsDefault);
    dump.Flag("m_bEmulsBullwinkleDefined", s.m_bEmulsBullwinkleDefined);
    dump.Real("m_dEmulsValue", s.m_dEmulsValue);

    dump.Line("wind and wave dialog variables\n");
    dump.Flag("m_bVarWind", s.m_bVarWind);
    dump.Real("m_dWindSpeed", s.m_dWindSpeed);
    dump.Real("m_dWindDirection", s.m_dWindDirection);
    dump.Real("m_dFetch", s.m_dFetch);
    dump.Real("m_dFetchN", s.m_dFetchN);
    dump.Real("m_dFetchE", s.m_dFetchE);
    dump.Real("m_dFetchS", s.m_dFetchS);
    dump.Real("m_dFetchW", s.m_dFetchW);
    dump.Real("m_dWaveHeight", s.m_dWaveHeight);

    dump.Line("variable wind\n");
    for (int i = 0; i < MAX_HOURS; ++i) {
        dump.Real(At("m_dVarWindSpeed", i), s.m_dVarWindSpeed[i]);
        dump.Real(At("m_dVarWindDirection", i), s.m_dVarWindDirection[i]);
        dump.Real(At("m_dVarWaveHeight", i), s.m_dVarWaveHeight[i]);
        dump.When(At("m_tVarWindTime", i), s.m_tVarWindTime[i]);
    }
    dump.Int("m_iVarWindNumber", s.m_iVarWindNumber);
    dump.Int("m_iWindSpeedUnit", s.m_iWindSpeedUnit);
    dump.Int("m_iFetchUnit", s.m_iFetchUnit);
    dump.Int("m_iWaveHeightUnit", s.m_iWaveHeightUnit);
    dump.Int("m_iVarSpeedUnit", s.m_iVarSpeedUnit);
    dump.Int("m_iVarWaveHeightUnit", s.m_iVarWaveHeightUnit);
    dump.Int("m_iVarFetchUnit", s.m_iVarFetchUnit);
    dump.Int("m_iWaveHeightChooser", s.m_iWaveHeightChooser);

    dump.Line("continuous dialog variables\n");
    dump.Int("duration", s.cont.duration);
    dump.Int("durationUnits", s.cont.durationUnits);
    dump.Int("spilledType", s.cont.spilledType);
    dump.Real("amount", s.cont.amount);
    dump.Int("amountUnits", s.cont.amountUnits);
    dump.Real("rate", s.cont.rate);
    dump.Int("rateUnits1", s.cont.rateUnits1);
    dump.Real("startRate", s.cont.startRate);
    dump.Real("endRate", s.cont.endRate);
    dump.Int("rateUnits2", s.cont.rateUnits2);

    dump.Line("cleanup dialogs variables\n");
    for (int i = 0; i < kPages; ++i) {
        dump.Int(At("m_nDispersantDuration", i), s.m_nDispersantDuration[i]);
        dump.Real(At("m_dDispersantDispersed", i), s.m_dDispersantDispersed[i]);
        dump.Real(At("m_dDispersantSprayed", i), s.m_dDispersantSprayed[i]);
        dump.Flag(At("m_bMechanicalRateUse", i), s.m_bMechanicalRateUse[i]);
        dump.Int(At("m_iRecoveryUnits", i), s.m_iRecoveryUnits[i]);
        dump.Int(At("m_iAmountUnits", i), s.m_iAmountUnits[i]);
        dump.Int(At("m_iAreaUnits", i), s.m_iAreaUnits[i]);
        dump.Int(At("m_iThicknessUnits", i), s.m_iThicknessUnits[i]);
        dump.Flag(At("mDispersantPageUse", i), s.mDispersantPageUse[i]);
        dump.Flag(At("mInSituBurnPageUse", i), s.mInSituBurnPageUse[i]);
        dump.Flag(At("mMechanicalPageUse", i), s.mMechanicalPageUse[i]);
    }
    dump.Int("m_iBurnRegRateCombo", s.m_iBurnRegRateCombo);
    dump.Real("m_dBurnRegRate", s.m_dBurnRegRate);
    dump.Int("m_iBurnRegRateUnit", s.m_iBurnRegRateUnit);
    dump.Int("m_iBeachingUnits", s.m_iBeachingUnits);
    for (int i = 0; i < kBeachingDays; ++i) dump.RealAtStart(At("m_dBeachingAmount", i), s.m_dBeachingAmount[i]);

    dump.Line("...\n");
    dump.Flag("selF", s.selF);

    dump.Line("Oil\n");
    dump.Text("OilLibDate", s.OilLibDate);
    dump.Text("OilTavroID", s.OilTavroID);
    dump.Line("Oil Tree Output Fields\n");
    dump.Text("OilName", s.OilName);
    dump.Text("Location", s.Location);
    dump.Text("Synonyms", s.Synonyms);
    dump.Text("ProductType", s.ProductType);
    dump.Text("API", s.API);
    dump.Text("PourPoint", s.PourPoint);
    dump.Text("FlashPoint", s.FlashPoint);
    dump.Text("Adhesion", s.Adhesion);
    dump.Text("Aromatics", s.Aromatics);

    dump.Line("\nInput structures\n");
    dump.Line("Input Water\n");
    dump.Real("temperature", s.water.temperature);
    dump.Int("tempUnits", s.water.tempUnits);
    dump.Real("salinity", s.water.salinity);
    dump.Real("sediment", s.water.sediment);
    dump.Real("speed", s.water.speed);
    dump.Int("speedUnits", s.water.speedUnits);
    dump.Real("direction", s.water.direction);

    dump.Line("Input Wind and Wave\n");
    dump.Int("num", s.wind.num);
    dump.Int("speedUnits", s.wind.speedUnits);
    dump.Int("waveHtUnits", s.wind.waveHtUnits);
    dump.Int("fetchUnits", s.wind.fetchUnits);
    for (int i = 0; i < MAX_HOURS; ++i) {
        dump.Real(At("speed", i), s.wind.speed[i]);
        dump.Real(At("direction", i), s.wind.direction[i]);
        dump.Real(At("waveHt", i), s.wind.waveHt[i]);
        dump.Real(At("vol", i), s.beached.vol[i]);
    }
    dump.Real("fetchN", s.wind.fetchN);
    dump.Real("fetchE", s.wind.fetchE);
    dump.Real("fetchS", s.wind.fetchS);
    dump.Real("fetchW", s.wind.fetchW);

    dump.Line("Input Instant\n");
    dump.Flag("flag", s.instant.flag);
    dump.Int("startHour", s.instant.startHour);
    dump.Real("vol", s.instant.vol);
    dump.Int("volUnits", s.instant.volUnits);

    dump.Line("Input Boomed\n");
    dump.Flag("flag", s.boomed.flag);
    dump.Int("startHour", s.boomed.startHour);
    dump.Real("vol", s.boomed.vol);
    dump.Int("volUnits", s.boomed.volUnits);
    dump.Real("area", s.boomed.area);
    dump.Int("areaUnits", s.boomed.areaUnits);

    dump.Line("Input Continuous\n");
    dump.Flag("flag", s.continuous.flag);
    dump.Int("startHour", s.continuous.startHour);
    dump.Int("endHour", s.continuous.endHour);
    dump.Real("startRate", s.continuous.startRate);
    dump.Real("endRate", s.continuous.endRate);
    dump.Int("rateUnits", s.continuous.rateUnits);

    dump.Line("Input Tank\n");
    dump.Flag("flag", s.tank.flag);
    dump.Int("vent", s.tank.vent);
    dump.Int("aground", s.tank.aground);
    dump.Int("startHour", s.tank.startHour);
    dump.Real("tHeight", s.tank.tHeight);
    dump.Real("tWidth", s.tank.tWidth);
    dump.Real("tLength", s.tank.tLength);
    dump.Int("tUnits", s.tank.tUnits);
    dump.Real("oVol", s.tank.oVol);
    dump.Int("oUnits", s.tank.oUnits);
    dump.Real("hDiam", s.tank.hDiam);
    dump.Real("hArea", s.tank.hArea);
    dump.Int("hUnits", s.tank.hUnits);
    dump.Real("zHeight", s.tank.zHeight);
    dump.Int("zUnits", s.tank.zUnits);
    dump.Real("wHeight", s.tank.wHeight);
    dump.Int("wUnits", s.tank.wUnits);
    dump.Real("Cd", s.tank.Cd);

    dump.Line("Input Oil\n");
    dump.Real("api", s.oil.api);
    dump.Real("asphalt", s.oil.asphalt);
    dump.Real("benzene", s.oil.benzene);
    dump.Real("nickel", s.oil.nickel);
    dump.Real("vanadium", s.oil.vanadium);
    dump.Real("viscMultiplier", s.oil.viscMultiplier);
    dump.Real("waterContent", s.oil.waterContent);
    dump.Real("waterUptakeRate", s.oil.waterUptakeRate);
    dump.Real("bullwinkle", s.oil.bullwinkle);
    dump.Real("bulltime", s.oil.bulltime);
    for (int i = 0; i < 4; ++i) {
        dump.Real(At("rhoRef_value", i), s.oil.rhoRef_value[i]);
        dump.Real(At("rhoRef_temp", i), s.oil.rhoRef_temp[i]);
        dump.Real(At("rhoRef_fevap", i), s.oil.rhoRef_fevap[i]);
    }
    for (int i = 0; i < 6; ++i) {
        dump.Real(At("viscRef_value", i), s.oil.viscRef_value[i]);
        dump.Real(At("viscRef_temp", i), s.oil.viscRef_temp[i]);
        dump.Real(At("viscRef_fevap", i), s.oil.viscRef_fevap[i]);
    }
    for (int i = 0; i < 6; ++i) {
        dump.Real(At("dyViscRef_value", i), s.oil.dyViscRef_value[i]);
        dump.Real(At("dyViscRef_temp", i), s.oil.dyViscRef_temp[i]);
        dump.Real(At("dyViscRef_fevap", i), s.oil.dyViscRef_fevap[i]);
    }
    for (int i = 0; i < MAX_CUTS; ++i) {
        dump.Real(At("dist_temp", i), s.oil.dist_temp[i]);
        dump.Real(At("dist_frac", i), s.oil.dist_frac[i]);
    }
    dump.Real("InitialOil.rho0", rho0);
    dump.Real("InitialOil.visc0", visc0);
    dump.Int("dist_volumeFrac", s.oil.dist_volumeFrac);

    dump.Line("Input Uncertainty\n");
    dump.Flag("windFlag", s.uncertainty.windFlag);
    dump.Real("wind", s.uncertainty.wind);
    dump.Int("windUnits", s.uncertainty.windUnits);
    dump.Flag("emulFlag", s.uncertainty.emulFlag);
    dump.Real("emul", s.uncertainty.emul);
    dump.Int("emulUnits", s.uncertainty.emulUnits);
    dump.Flag("volFlag", s.uncertainty.volFlag);
    dump.Real("vol", s.uncertainty.vol);

    dump.Line("Input ...removal\n");
    dump.Int("InputDispersant.num", s.dispersant.num);
    dump.Int("InputBurn.num", s.burn.num);
    dump.Int("InputSkimmer.num", s.skimmer.num);
    for (int i = 0; i < MAX_OPERATIONS; ++i) {
        dump.Int(At("InputDispersant.startHour", i), s.dispersant.startHour[i]);
        dump.Int(At("InputDispersant.duration", i), s.dispersant.duration[i]);
        dump.Real(At("InputDispersant.dispersed", i), s.dispersant.dispersed[i]);
        dump.Real(At("InputDispersant.sprayed", i), s.dispersant.sprayed[i]);
        dump.Int(At("InputBurn.startHour", i), s.burn.startHour[i]);
        dump.Int(At("InputBurn.thickUnits", i), s.burn.thickUnits[i]);
        dump.Int(At("InputBurn.areaUnits", i), s.burn.areaUnits[i]);
        dump.Real(At("InputBurn.thick", i), s.burn.thick[i]);
        dump.Real(At("InputBurn.area", i), s.burn.area[i]);
        dump.Int(At("InputSkimmer.startHour", i), s.skimmer.startHour[i]);
        dump.Int(At("InputSkimmer.duration", i), s.skimmer.duration[i]);
        dump.Int(At("InputSkimmer.rateUnits", i), s.skimmer.rateUnits[i]);
        dump.Int(At("InputSkimmer.amountUnits", i), s.skimmer.amountUnits[i]);
        dump.Real(At("InputSkimmer.rate", i), s.skimmer.rate[i]);
        dump.Real(At("InputSkimmer.amount", i), s.skimmer.amount[i]);
        dump.When(At("DispersantTime", i), s.DispersantTime[i]);
        dump.When(At("InSituBurnTime", i), s.InSituBurnTime[i]);
        dump.When(At("SkimmerTime", i), s.SkimmerTime[i]);
    }
    dump.Line("\n");
    dump.Int("InputBeached.volUnits", s.beached.volUnits);
    dump.Line("\n");
    dump.Int("OilIndex", s.OilIndex);
    dump.Line("\n\n");
    return dump.Finish();
}

bool WriteInputDump(const Scenario& s, double rho0, double visc0, const platform::IClock& clock,
                    const std::string& folder, platform::IMessages& messages) {
    const std::string text = FormatInputDump(s, rho0, visc0, clock);
    const std::string path = platform::PathIn(folder, kInputDumpName);
    std::string error;
    if (platform::SafeReplaceFile(path, text, &error)) return true;
    // The replacement is written beside the file first: when that cannot
    // even be created, the file cannot be.
    if (error.rfind("cannot create", 0) == 0) {
        messages.Show(kInputDumpError, platform::MsgIcon::None);
    } else {
        const std::size_t colon = error.rfind(": ");
        const std::string reason = colon == std::string::npos ? error : error.substr(colon + 2);
        messages.Show(kInputDumpWriteError + path + ": " + reason, platform::MsgIcon::None);
    }
    return false;
}

}  // namespace document
