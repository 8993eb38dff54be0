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
    std::string Finish() const {
        std::string s;
        s.reserve(out_.size() + out_.size() / 16);
        for (char c : out_) {
            if (c == '\n') s += platform::kLineEnd;
            else s += c;
        }
        return s;
    }

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
    DumpText d(clock);
    d.Line("          INPUT DATA FILE\n");
    d.Line("          ===============\n");
    d.When("Spill Time", s.SpillTime);
    d.When("InstantaneousTime", s.InstantaneousTime);
    d.When("ContinuousTime", s.ContinuousTime);
    d.When("TankTime", s.TankTime);
    d.When("ContainedTime", s.ContainedTime);

    d.Line("passed dialog flags\n");
    d.Flag("m_bWaterInputPassed", s.m_bWaterInputPassed);
    d.Flag("m_bWindAndWaveInputPassed", s.m_bWindAndWaveInputPassed);
    d.Flag("m_bOilInputPassed", s.m_bOilInputPassed);
    d.Flag("m_bReleaseInputPassed", s.m_bReleaseInputPassed);

    d.Line("emulsifiaction dialog variables\n");
    d.Flag("m_bEmulsDefault", s.m_bEmulsDefault);
    d.Flag("m_bEmulsBullwinkleDefined", s.m_bEmulsBullwinkleDefined);
    d.Real("m_dEmulsValue", s.m_dEmulsValue);

    d.Line("wind and wave dialog variables\n");
    d.Flag("m_bVarWind", s.m_bVarWind);
    d.Real("m_dWindSpeed", s.m_dWindSpeed);
    d.Real("m_dWindDirection", s.m_dWindDirection);
    d.Real("m_dFetch", s.m_dFetch);
    d.Real("m_dFetchN", s.m_dFetchN);
    d.Real("m_dFetchE", s.m_dFetchE);
    d.Real("m_dFetchS", s.m_dFetchS);
    d.Real("m_dFetchW", s.m_dFetchW);
    d.Real("m_dWaveHeight", s.m_dWaveHeight);

    d.Line("variable wind\n");
    for (int i = 0; i < MAX_HOURS; ++i) {
        d.Real(At("m_dVarWindSpeed", i), s.m_dVarWindSpeed[i]);
        d.Real(At("m_dVarWindDirection", i), s.m_dVarWindDirection[i]);
        d.Real(At("m_dVarWaveHeight", i), s.m_dVarWaveHeight[i]);
        d.When(At("m_tVarWindTime", i), s.m_tVarWindTime[i]);
    }
    d.Int("m_iVarWindNumber", s.m_iVarWindNumber);
    d.Int("m_iWindSpeedUnit", s.m_iWindSpeedUnit);
    d.Int("m_iFetchUnit", s.m_iFetchUnit);
    d.Int("m_iWaveHeightUnit", s.m_iWaveHeightUnit);
    d.Int("m_iVarSpeedUnit", s.m_iVarSpeedUnit);
    d.Int("m_iVarWaveHeightUnit", s.m_iVarWaveHeightUnit);
    d.Int("m_iVarFetchUnit", s.m_iVarFetchUnit);
    d.Int("m_iWaveHeightChooser", s.m_iWaveHeightChooser);

    d.Line("continuous dialog variables\n");
    d.Int("duration", s.cont.duration);
    d.Int("durationUnits", s.cont.durationUnits);
    d.Int("spilledType", s.cont.spilledType);
    d.Real("amount", s.cont.amount);
    d.Int("amountUnits", s.cont.amountUnits);
    d.Real("rate", s.cont.rate);
    d.Int("rateUnits1", s.cont.rateUnits1);
    d.Real("startRate", s.cont.startRate);
    d.Real("endRate", s.cont.endRate);
    d.Int("rateUnits2", s.cont.rateUnits2);

    d.Line("cleanup dialogs variables\n");
    for (int i = 0; i < kPages; ++i) {
        d.Int(At("m_nDispersantDuration", i), s.m_nDispersantDuration[i]);
        d.Real(At("m_dDispersantDispersed", i), s.m_dDispersantDispersed[i]);
        d.Real(At("m_dDispersantSprayed", i), s.m_dDispersantSprayed[i]);
        d.Flag(At("m_bMechanicalRateUse", i), s.m_bMechanicalRateUse[i]);
        d.Int(At("m_iRecoveryUnits", i), s.m_iRecoveryUnits[i]);
        d.Int(At("m_iAmountUnits", i), s.m_iAmountUnits[i]);
        d.Int(At("m_iAreaUnits", i), s.m_iAreaUnits[i]);
        d.Int(At("m_iThicknessUnits", i), s.m_iThicknessUnits[i]);
        d.Flag(At("mDispersantPageUse", i), s.mDispersantPageUse[i]);
        d.Flag(At("mInSituBurnPageUse", i), s.mInSituBurnPageUse[i]);
        d.Flag(At("mMechanicalPageUse", i), s.mMechanicalPageUse[i]);
    }
    d.Int("m_iBurnRegRateCombo", s.m_iBurnRegRateCombo);
    d.Real("m_dBurnRegRate", s.m_dBurnRegRate);
    d.Int("m_iBurnRegRateUnit", s.m_iBurnRegRateUnit);
    d.Int("m_iBeachingUnits", s.m_iBeachingUnits);
    for (int i = 0; i < kBeachingDays; ++i) d.RealAtStart(At("m_dBeachingAmount", i), s.m_dBeachingAmount[i]);

    d.Line("...\n");
    d.Flag("selF", s.selF);

    d.Line("Oil\n");
    d.Text("OilLibDate", s.OilLibDate);
    d.Text("OilTavroID", s.OilTavroID);
    d.Line("Oil Tree Output Fields\n");
    d.Text("OilName", s.OilName);
    d.Text("Location", s.Location);
    d.Text("Synonyms", s.Synonyms);
    d.Text("ProductType", s.ProductType);
    d.Text("API", s.API);
    d.Text("PourPoint", s.PourPoint);
    d.Text("FlashPoint", s.FlashPoint);
    d.Text("Adhesion", s.Adhesion);
    d.Text("Aromatics", s.Aromatics);

    d.Line("\nInput structures\n");
    d.Line("Input Water\n");
    d.Real("temperature", s.water.temperature);
    d.Int("tempUnits", s.water.tempUnits);
    d.Real("salinity", s.water.salinity);
    d.Real("sediment", s.water.sediment);
    d.Real("speed", s.water.speed);
    d.Int("speedUnits", s.water.speedUnits);
    d.Real("direction", s.water.direction);

    d.Line("Input Wind and Wave\n");
    d.Int("num", s.wind.num);
    d.Int("speedUnits", s.wind.speedUnits);
    d.Int("waveHtUnits", s.wind.waveHtUnits);
    d.Int("fetchUnits", s.wind.fetchUnits);
    for (int i = 0; i < MAX_HOURS; ++i) {
        d.Real(At("speed", i), s.wind.speed[i]);
        d.Real(At("direction", i), s.wind.direction[i]);
        d.Real(At("waveHt", i), s.wind.waveHt[i]);
        d.Real(At("vol", i), s.beached.vol[i]);
    }
    d.Real("fetchN", s.wind.fetchN);
    d.Real("fetchE", s.wind.fetchE);
    d.Real("fetchS", s.wind.fetchS);
    d.Real("fetchW", s.wind.fetchW);

    d.Line("Input Instant\n");
    d.Flag("flag", s.instant.flag);
    d.Int("startHour", s.instant.startHour);
    d.Real("vol", s.instant.vol);
    d.Int("volUnits", s.instant.volUnits);

    d.Line("Input Boomed\n");
    d.Flag("flag", s.boomed.flag);
    d.Int("startHour", s.boomed.startHour);
    d.Real("vol", s.boomed.vol);
    d.Int("volUnits", s.boomed.volUnits);
    d.Real("area", s.boomed.area);
    d.Int("areaUnits", s.boomed.areaUnits);

    d.Line("Input Continuous\n");
    d.Flag("flag", s.continuous.flag);
    d.Int("startHour", s.continuous.startHour);
    d.Int("endHour", s.continuous.endHour);
    d.Real("startRate", s.continuous.startRate);
    d.Real("endRate", s.continuous.endRate);
    d.Int("rateUnits", s.continuous.rateUnits);

    d.Line("Input Tank\n");
    d.Flag("flag", s.tank.flag);
    d.Int("vent", s.tank.vent);
    d.Int("aground", s.tank.aground);
    d.Int("startHour", s.tank.startHour);
    d.Real("tHeight", s.tank.tHeight);
    d.Real("tWidth", s.tank.tWidth);
    d.Real("tLength", s.tank.tLength);
    d.Int("tUnits", s.tank.tUnits);
    d.Real("oVol", s.tank.oVol);
    d.Int("oUnits", s.tank.oUnits);
    d.Real("hDiam", s.tank.hDiam);
    d.Real("hArea", s.tank.hArea);
    d.Int("hUnits", s.tank.hUnits);
    d.Real("zHeight", s.tank.zHeight);
    d.Int("zUnits", s.tank.zUnits);
    d.Real("wHeight", s.tank.wHeight);
    d.Int("wUnits", s.tank.wUnits);
    d.Real("Cd", s.tank.Cd);

    d.Line("Input Oil\n");
    d.Real("api", s.oil.api);
    d.Real("asphalt", s.oil.asphalt);
    d.Real("benzene", s.oil.benzene);
    d.Real("nickel", s.oil.nickel);
    d.Real("vanadium", s.oil.vanadium);
    d.Real("viscMultiplier", s.oil.viscMultiplier);
    d.Real("waterContent", s.oil.waterContent);
    d.Real("waterUptakeRate", s.oil.waterUptakeRate);
    d.Real("bullwinkle", s.oil.bullwinkle);
    d.Real("bulltime", s.oil.bulltime);
    for (int i = 0; i < 4; ++i) {
        d.Real(At("rhoRef_value", i), s.oil.rhoRef_value[i]);
        d.Real(At("rhoRef_temp", i), s.oil.rhoRef_temp[i]);
        d.Real(At("rhoRef_fevap", i), s.oil.rhoRef_fevap[i]);
    }
    for (int i = 0; i < 6; ++i) {
        d.Real(At("viscRef_value", i), s.oil.viscRef_value[i]);
        d.Real(At("viscRef_temp", i), s.oil.viscRef_temp[i]);
        d.Real(At("viscRef_fevap", i), s.oil.viscRef_fevap[i]);
    }
    for (int i = 0; i < 6; ++i) {
        d.Real(At("dyViscRef_value", i), s.oil.dyViscRef_value[i]);
        d.Real(At("dyViscRef_temp", i), s.oil.dyViscRef_temp[i]);
        d.Real(At("dyViscRef_fevap", i), s.oil.dyViscRef_fevap[i]);
    }
    for (int i = 0; i < MAX_CUTS; ++i) {
        d.Real(At("dist_temp", i), s.oil.dist_temp[i]);
        d.Real(At("dist_frac", i), s.oil.dist_frac[i]);
    }
    d.Real("InitialOil.rho0", rho0);
    d.Real("InitialOil.visc0", visc0);
    d.Int("dist_volumeFrac", s.oil.dist_volumeFrac);

    d.Line("Input Uncertainty\n");
    d.Flag("windFlag", s.uncertainty.windFlag);
    d.Real("wind", s.uncertainty.wind);
    d.Int("windUnits", s.uncertainty.windUnits);
    d.Flag("emulFlag", s.uncertainty.emulFlag);
    d.Real("emul", s.uncertainty.emul);
    d.Int("emulUnits", s.uncertainty.emulUnits);
    d.Flag("volFlag", s.uncertainty.volFlag);
    d.Real("vol", s.uncertainty.vol);

    d.Line("Input ...removal\n");
    d.Int("InputDispersant.num", s.dispersant.num);
    d.Int("InputBurn.num", s.burn.num);
    d.Int("InputSkimmer.num", s.skimmer.num);
    for (int i = 0; i < MAX_OPERATIONS; ++i) {
        d.Int(At("InputDispersant.startHour", i), s.dispersant.startHour[i]);
        d.Int(At("InputDispersant.duration", i), s.dispersant.duration[i]);
        d.Real(At("InputDispersant.dispersed", i), s.dispersant.dispersed[i]);
        d.Real(At("InputDispersant.sprayed", i), s.dispersant.sprayed[i]);
        d.Int(At("InputBurn.startHour", i), s.burn.startHour[i]);
        d.Int(At("InputBurn.thickUnits", i), s.burn.thickUnits[i]);
        d.Int(At("InputBurn.areaUnits", i), s.burn.areaUnits[i]);
        d.Real(At("InputBurn.thick", i), s.burn.thick[i]);
        d.Real(At("InputBurn.area", i), s.burn.area[i]);
        d.Int(At("InputSkimmer.startHour", i), s.skimmer.startHour[i]);
        d.Int(At("InputSkimmer.duration", i), s.skimmer.duration[i]);
        d.Int(At("InputSkimmer.rateUnits", i), s.skimmer.rateUnits[i]);
        d.Int(At("InputSkimmer.amountUnits", i), s.skimmer.amountUnits[i]);
        d.Real(At("InputSkimmer.rate", i), s.skimmer.rate[i]);
        d.Real(At("InputSkimmer.amount", i), s.skimmer.amount[i]);
        d.When(At("DispersantTime", i), s.DispersantTime[i]);
        d.When(At("InSituBurnTime", i), s.InSituBurnTime[i]);
        d.When(At("SkimmerTime", i), s.SkimmerTime[i]);
    }
    d.Line("\n");
    d.Int("InputBeached.volUnits", s.beached.volUnits);
    d.Line("\n");
    d.Int("OilIndex", s.OilIndex);
    d.Line("\n\n");
    return d.Finish();
}

bool WriteInputDump(const Scenario& s, double rho0, double visc0, const platform::IClock& clock,
                    platform::IMessages& messages) {
    std::string text = FormatInputDump(s, rho0, visc0, clock);
    if (!platform::SafeReplaceFile(platform::OutputPath(kInputDumpName), text)) {
        messages.Show(kInputDumpError, platform::MsgIcon::None);
        return false;
    }
    return true;
}

}  // namespace document
