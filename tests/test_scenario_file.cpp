#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>

#include "document/ScenarioFile.h"
#include "platform/Archive.h"
#include "platform/Files.h"
#include "test_temp_dir.h"

using namespace document;
namespace fs = std::filesystem;

namespace {

constexpr Time kSpill = 1700000000;  // 2023-11-14 22:13:20 UTC

template <class T>
T At(const std::vector<std::uint8_t>& b, std::size_t off) {
    EXPECT_LE(off + sizeof(T), b.size());
    T v;
    std::memcpy(&v, b.data() + off, sizeof(T));  // the test host is little-endian
    return v;
}

// Every field from a counter pattern, so a swapped or skipped field shows.
Scenario CounterScenario() {
    Scenario s(kSpill);
    int n = 1;
    auto i = [&](int& v) { v = n++; };
    auto d = [&](double& v) { v = n++ + 0.25; };
    auto t = [&](Time& v) { v = kSpill + 3600LL * (n++); };
    t(s.SpillTime);
    t(s.InstantaneousTime); t(s.ContinuousTime); t(s.TankTime); t(s.ContainedTime);
    for (int p = 0; p < kPages; ++p) {
        t(s.DispersantTime[p]); t(s.InSituBurnTime[p]); t(s.SkimmerTime[p]);
        i(s.mDispersantPageUse[p]); i(s.m_nDispersantDuration[p]); d(s.m_dDispersantDispersed[p]);
        d(s.m_dDispersantSprayed[p]); i(s.mInSituBurnPageUse[p]); i(s.m_iAreaUnits[p]); i(s.m_iThicknessUnits[p]);
        d(s.m_dBurnArea[p]); d(s.m_dBurnThickness[p]); i(s.mMechanicalPageUse[p]); i(s.m_bMechanicalRateUse[p]);
        i(s.m_iRecoveryUnits[p]); i(s.m_iAmountUnits[p]); i(s.m_nMechanicalDuration[p]); d(s.m_dMechanicalRate[p]);
        d(s.m_dMechanicalAmount[p]); i(s.m_iPlumeUnit[p]); i(s.m_iPlumeWindUnit[p]); d(s.m_dPlumeLOC[p]);
        d(s.m_dPlumeAirTemp[p]); d(s.m_dPlumeWindSpeed[p]);
        i(s.dispersant.startHour[p]); i(s.dispersant.duration[p]); d(s.dispersant.sprayed[p]); d(s.dispersant.dispersed[p]);
        i(s.burn.startHour[p]); i(s.burn.thickUnits[p]); i(s.burn.areaUnits[p]); d(s.burn.thick[p]); d(s.burn.area[p]);
        i(s.skimmer.startHour[p]); i(s.skimmer.duration[p]); i(s.skimmer.rateUnits[p]); i(s.skimmer.amountUnits[p]);
        d(s.skimmer.rate[p]); d(s.skimmer.amount[p]);
    }
    i(s.m_bWaterInputPassed); i(s.m_bWindAndWaveInputPassed); i(s.m_bOilInputPassed); i(s.m_bReleaseInputPassed);
    i(s.m_bEmulsDefault); i(s.m_bEmulsBullwinkleDefined); d(s.m_dEmulsValue); i(s.m_bVarWind);
    d(s.m_dWindSpeed); d(s.m_dWindDirection); d(s.m_dFetch); d(s.m_dFetchN); d(s.m_dFetchE); d(s.m_dFetchS);
    d(s.m_dFetchW); d(s.m_dWaveHeight);
    for (int h = 0; h < model::MAX_HOURS; ++h) {
        d(s.m_dVarWindSpeed[h]); d(s.m_dVarWindDirection[h]); d(s.m_dVarWaveHeight[h]); t(s.m_tVarWindTime[h]);
        d(s.wind.speed[h]); d(s.wind.direction[h]); d(s.wind.waveHt[h]); d(s.beached.vol[h]);
    }
    s.m_iVarWindNumber = 77;
    i(s.m_iWindSpeedUnit); i(s.m_iFetchUnit); i(s.m_iWaveHeightUnit); i(s.m_iVarSpeedUnit);
    i(s.m_iVarWaveHeightUnit); i(s.m_iVarFetchUnit); i(s.m_iWaveHeightChooser);
    i(s.m_bTankVolumeKnown); d(s.m_dTankOilVolume); i(s.m_iTankVolumeUnit); d(s.m_dTankPercentFull);
    i(s.m_bHoleRound); d(s.m_dHoleDiameter); i(s.m_iHoleDiameterUnit); d(s.m_dHoleRectWidth);
    d(s.m_dHoleRectHeight); i(s.m_iHoleRectUnit); i(s.m_bHoleHeightKnown); d(s.m_dHoleHeight);
    i(s.m_iHoleHeightUnit); d(s.m_dHoleHeightPercent); i(s.m_bWaterLevelKnown); d(s.m_dWaterLevel);
    i(s.m_iWaterLevelUnit); d(s.m_dWaterLevelPercent); d(s.m_dTankTotalRelease); d(s.m_dTankLeakDuration);
    i(s.m_iTankReleaseUnit);
    i(s.m_iBurnRegRateCombo); d(s.m_dBurnRegRate); i(s.m_iBurnRegRateUnit); i(s.m_iBeachingUnits);
    for (double& v : s.m_dBeachingAmount) d(v);
    i(s.selF);
    d(s.water.temperature); i(s.water.tempUnits); d(s.water.salinity); d(s.water.sediment); d(s.water.speed);
    i(s.water.speedUnits); d(s.water.direction);
    s.wind.num = 120;
    i(s.wind.speedUnits); i(s.wind.waveHtUnits); i(s.wind.fetchUnits);
    d(s.wind.fetchN); d(s.wind.fetchE); d(s.wind.fetchS); d(s.wind.fetchW);
    i(s.instant.flag); i(s.instant.startHour); d(s.instant.vol); i(s.instant.volUnits);
    i(s.boomed.flag); i(s.boomed.startHour); d(s.boomed.vol); i(s.boomed.volUnits); d(s.boomed.area); i(s.boomed.areaUnits);
    i(s.continuous.flag); i(s.continuous.startHour); i(s.continuous.endHour); d(s.continuous.startRate);
    d(s.continuous.endRate); i(s.continuous.rateUnits);
    i(s.tank.flag); i(s.tank.vent); i(s.tank.aground); i(s.tank.startHour); d(s.tank.tHeight); d(s.tank.tWidth);
    d(s.tank.tLength); i(s.tank.tUnits); d(s.tank.oVol); i(s.tank.oUnits); d(s.tank.hDiam); d(s.tank.hArea);
    i(s.tank.hUnits); d(s.tank.zHeight); i(s.tank.zUnits); d(s.tank.wHeight); i(s.tank.wUnits); d(s.tank.Cd);
    for (char& c : s.oil.name) c = static_cast<char>(n++);
    for (char& c : s.oil.productType) c = static_cast<char>(n++);
    d(s.oil.api); d(s.oil.asphalt); d(s.oil.benzene); d(s.oil.nickel); d(s.oil.vanadium); d(s.oil.viscMultiplier);
    d(s.oil.waterContent); d(s.oil.waterUptakeRate); d(s.oil.bullwinkle); d(s.oil.bulltime);
    for (int k = 0; k < 4; ++k) { d(s.oil.rhoRef_value[k]); d(s.oil.rhoRef_temp[k]); d(s.oil.rhoRef_fevap[k]); }
    for (int k = 0; k < 6; ++k) {
        d(s.oil.viscRef_value[k]); d(s.oil.viscRef_temp[k]); d(s.oil.viscRef_fevap[k]);
        d(s.oil.dyViscRef_value[k]); d(s.oil.dyViscRef_temp[k]); d(s.oil.dyViscRef_fevap[k]);
    }
    for (int k = 0; k < model::MAX_CUTS; ++k) { d(s.oil.dist_temp[k]); d(s.oil.dist_frac[k]); }
    i(s.oil.dist_volumeFrac);
    i(s.uncertainty.windFlag); d(s.uncertainty.wind); i(s.uncertainty.windUnits); i(s.uncertainty.emulFlag);
    d(s.uncertainty.emul); i(s.uncertainty.emulUnits); i(s.uncertainty.volFlag); d(s.uncertainty.vol);
    i(s.cont.duration); i(s.cont.durationUnits); i(s.cont.spilledType); d(s.cont.amount); i(s.cont.amountUnits);
    d(s.cont.rate); i(s.cont.rateUnits1); d(s.cont.startRate); d(s.cont.endRate); i(s.cont.rateUnits2);
    s.dispersant.num = 3; s.burn.num = 4; s.skimmer.num = 5;
    d(s.burn.regRate); i(s.burn.regRateUnits); i(s.beached.volUnits); i(s.OilIndex);
    auto text = [](std::size_t len, char seed) {
        std::string r(len, ' ');
        for (std::size_t k = 0; k < len; ++k) r[k] = static_cast<char>(seed + k * 7);  // all 256 byte values
        return r;
    };
    s.OilLibDate = "";
    s.OilTavroID = text(254, 'a');
    s.OilName = text(255, 'b');
    s.Location = text(300, 'c');
    s.Synonyms = text(70000, 'd');
    s.ProductType = text(0xFFFD, 'e');
    s.API = text(0xFFFE, 'f');
    s.PourPoint = "12 deg C";
    s.FlashPoint = text(1, '\0');
    s.Adhesion = "x";
    s.Aromatics = text(2, '\xff');
    return s;
}

// The file's layout written out row by row from its table, apart from the
// program's reader and writer: a field stored in another row's place, or
// two rows exchanged, makes the program's bytes differ from these.
class RowTable {
public:
    template <class... V> void Ints(const V&... v) { (Put(static_cast<std::uint32_t>(v), 4), ...); }
    template <class... V> void Reals(const V&... v) { (Put(std::bit_cast<std::uint64_t>(v), 8), ...); }
    template <class... V> void Times(const V&... v) { ((Put(0x8000000Au, 4), Put(static_cast<std::uint64_t>(v), 8)), ...); }
    void Bytes(const char* p, std::size_t n) { for (std::size_t k = 0; k < n; ++k) out.push_back(static_cast<std::uint8_t>(p[k])); }
    void Text(const std::string& t) {
        const std::size_t n = t.size();
        if (n < 0xFF) {
            Put(n, 1);
        } else if (n < 0xFFFE) {
            Put(0xFF, 1);
            Put(n, 2);
        } else {
            Put(0xFF, 1);
            Put(0xFFFF, 2);
            Put(n, 4);
        }
        Bytes(t.data(), n);
    }
    std::vector<std::uint8_t> out;

private:
    void Put(std::uint64_t v, int bytes) {
        for (int k = 0; k < bytes; ++k) out.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
    }
};

std::vector<std::uint8_t> ByTheRowTable(const Scenario& s) {
    RowTable f;
    f.Times(s.SpillTime);
    f.Ints(s.m_bWaterInputPassed, s.m_bWindAndWaveInputPassed, s.m_bOilInputPassed, s.m_bReleaseInputPassed);
    f.Ints(s.m_bEmulsDefault, s.m_bEmulsBullwinkleDefined);
    f.Reals(s.m_dEmulsValue);
    f.Ints(s.m_bVarWind);
    f.Reals(s.m_dWindSpeed, s.m_dWindDirection, s.m_dFetch, s.m_dFetchN, s.m_dFetchE, s.m_dFetchS, s.m_dFetchW,
            s.m_dWaveHeight);
    for (int h = 0; h < 120; ++h) {
        f.Reals(s.m_dVarWindSpeed[h], s.m_dVarWindDirection[h], s.m_dVarWaveHeight[h]);
        f.Times(s.m_tVarWindTime[h]);
    }
    f.Ints(s.m_iVarWindNumber, s.m_iWindSpeedUnit, s.m_iFetchUnit, s.m_iWaveHeightUnit, s.m_iVarSpeedUnit,
           s.m_iVarWaveHeightUnit, s.m_iVarFetchUnit, s.m_iWaveHeightChooser);
    f.Ints(s.m_bTankVolumeKnown);
    f.Reals(s.m_dTankOilVolume);
    f.Ints(s.m_iTankVolumeUnit);
    f.Reals(s.m_dTankPercentFull);
    f.Ints(s.m_bHoleRound);
    f.Reals(s.m_dHoleDiameter);
    f.Ints(s.m_iHoleDiameterUnit);
    f.Reals(s.m_dHoleRectWidth, s.m_dHoleRectHeight);
    f.Ints(s.m_iHoleRectUnit, s.m_bHoleHeightKnown);
    f.Reals(s.m_dHoleHeight);
    f.Ints(s.m_iHoleHeightUnit);
    f.Reals(s.m_dHoleHeightPercent);
    f.Ints(s.m_bWaterLevelKnown);
    f.Reals(s.m_dWaterLevel);
    f.Ints(s.m_iWaterLevelUnit);
    f.Reals(s.m_dWaterLevelPercent, s.m_dTankTotalRelease, s.m_dTankLeakDuration);
    f.Ints(s.m_iTankReleaseUnit);
    for (int p = 0; p < 5; ++p) {
        f.Ints(s.m_nDispersantDuration[p]);
        f.Reals(s.m_dDispersantDispersed[p], s.m_dDispersantSprayed[p]);
        f.Ints(s.m_bMechanicalRateUse[p]);
        f.Reals(s.m_dMechanicalRate[p]);
        f.Ints(s.m_iRecoveryUnits[p], s.m_nMechanicalDuration[p]);
        f.Reals(s.m_dMechanicalAmount[p]);
        f.Ints(s.m_iAmountUnits[p]);
        f.Reals(s.m_dBurnArea[p]);
        f.Ints(s.m_iAreaUnits[p]);
        f.Reals(s.m_dBurnThickness[p]);
        f.Ints(s.m_iThicknessUnits[p]);
        f.Reals(s.m_dPlumeLOC[p], s.m_dPlumeAirTemp[p]);
        f.Ints(s.m_iPlumeUnit[p]);
        f.Reals(s.m_dPlumeWindSpeed[p]);
        f.Ints(s.m_iPlumeWindUnit[p], s.mDispersantPageUse[p], s.mInSituBurnPageUse[p], s.mMechanicalPageUse[p]);
    }
    f.Ints(s.m_iBurnRegRateCombo);
    f.Reals(s.m_dBurnRegRate);
    f.Ints(s.m_iBurnRegRateUnit, s.m_iBeachingUnits);
    for (double v : s.m_dBeachingAmount) f.Reals(v);
    f.Ints(s.selF);
    for (const std::string* t : {&s.OilLibDate, &s.OilTavroID, &s.OilName, &s.Location, &s.Synonyms, &s.ProductType,
                                 &s.API, &s.PourPoint, &s.FlashPoint, &s.Adhesion, &s.Aromatics})
        f.Text(*t);
    f.Reals(s.water.temperature);
    f.Ints(s.water.tempUnits);
    f.Reals(s.water.salinity, s.water.sediment, s.water.speed);
    f.Ints(s.water.speedUnits);
    f.Reals(s.water.direction);
    f.Ints(s.wind.num, s.wind.speedUnits, s.wind.waveHtUnits, s.wind.fetchUnits);
    for (int h = 0; h < 120; ++h) f.Reals(s.wind.speed[h], s.wind.direction[h], s.wind.waveHt[h], s.beached.vol[h]);
    f.Reals(s.wind.fetchN, s.wind.fetchE, s.wind.fetchS, s.wind.fetchW);
    f.Ints(s.instant.flag, s.instant.startHour);
    f.Reals(s.instant.vol);
    f.Ints(s.instant.volUnits);
    f.Ints(s.boomed.flag, s.boomed.startHour);
    f.Reals(s.boomed.vol);
    f.Ints(s.boomed.volUnits);
    f.Reals(s.boomed.area);
    f.Ints(s.boomed.areaUnits);
    f.Ints(s.continuous.flag, s.continuous.startHour, s.continuous.endHour);
    f.Reals(s.continuous.startRate, s.continuous.endRate);
    f.Ints(s.continuous.rateUnits);
    const auto& t = s.tank;
    f.Ints(t.flag, t.vent, t.aground, t.startHour);
    f.Reals(t.tHeight, t.tWidth, t.tLength);
    f.Ints(t.tUnits);
    f.Reals(t.oVol);
    f.Ints(t.oUnits);
    f.Reals(t.hDiam, t.hArea);
    f.Ints(t.hUnits);
    f.Reals(t.zHeight);
    f.Ints(t.zUnits);
    f.Reals(t.wHeight);
    f.Ints(t.wUnits);
    f.Reals(t.Cd);
    const auto& o = s.oil;
    f.Bytes(o.name, 32);
    f.Bytes(o.productType, 8);
    f.Reals(o.api, o.asphalt, o.benzene, o.nickel, o.vanadium, o.viscMultiplier, o.waterContent, o.waterUptakeRate,
            o.bullwinkle, o.bulltime);
    for (int k = 0; k < 4; ++k) f.Reals(o.rhoRef_value[k], o.rhoRef_temp[k], o.rhoRef_fevap[k]);
    for (int k = 0; k < 6; ++k)
        f.Reals(o.viscRef_value[k], o.viscRef_temp[k], o.viscRef_fevap[k], o.dyViscRef_value[k], o.dyViscRef_temp[k],
                o.dyViscRef_fevap[k]);
    for (int k = 0; k < 15; ++k) f.Reals(o.dist_temp[k], o.dist_frac[k]);
    f.Ints(o.dist_volumeFrac);
    const auto& u = s.uncertainty;
    f.Ints(u.windFlag);
    f.Reals(u.wind);
    f.Ints(u.windUnits, u.emulFlag);
    f.Reals(u.emul);
    f.Ints(u.emulUnits, u.volFlag);
    f.Reals(u.vol);
    const auto& c = s.cont;
    f.Ints(c.duration, c.durationUnits, c.spilledType);
    f.Reals(c.amount);
    f.Ints(c.amountUnits);
    f.Reals(c.rate);
    f.Ints(c.rateUnits1);
    f.Reals(c.startRate, c.endRate);
    f.Ints(c.rateUnits2);
    f.Times(s.InstantaneousTime, s.ContinuousTime, s.TankTime, s.ContainedTime);
    f.Ints(s.dispersant.num, s.burn.num, s.skimmer.num);
    for (int i = 0; i < 5; ++i) {
        f.Ints(s.dispersant.startHour[i], s.dispersant.duration[i]);
        f.Reals(s.dispersant.dispersed[i], s.dispersant.sprayed[i]);
        f.Ints(s.burn.startHour[i], s.burn.thickUnits[i], s.burn.areaUnits[i]);
        f.Reals(s.burn.thick[i], s.burn.area[i]);
        f.Ints(s.skimmer.startHour[i], s.skimmer.duration[i], s.skimmer.rateUnits[i], s.skimmer.amountUnits[i]);
        f.Reals(s.skimmer.rate[i], s.skimmer.amount[i]);
        f.Times(s.DispersantTime[i], s.InSituBurnTime[i], s.SkimmerTime[i]);
    }
    f.Reals(s.burn.regRate);
    f.Ints(s.burn.regRateUnits, s.beached.volUnits, s.OilIndex);
    return f.out;
}

// The first byte where two files differ, for the failure message.
std::string FirstDifference(const std::vector<std::uint8_t>& got, const std::vector<std::uint8_t>& want) {
    const std::size_t n = std::min(got.size(), want.size());
    for (std::size_t k = 0; k < n; ++k)
        if (got[k] != want[k]) return "first difference at byte " + std::to_string(k);
    return got.size() == want.size() ? "" : "sizes " + std::to_string(got.size()) + " and " + std::to_string(want.size());
}

LoadResult Load(const std::vector<std::uint8_t>& b) { return LoadScenario(std::span<const std::uint8_t>(b)); }

}  // namespace

TEST(ScenarioFile, FreshScenarioMatchesTheRowTable) {
    Scenario s(kSpill);
    std::vector<std::uint8_t> b = SaveScenario(s);
    ASSERT_EQ(b.size(), 10931u);
    struct IntAt { std::size_t off; std::int32_t want; };
    for (IntAt c : std::initializer_list<IntAt>{{28, 1}, {4464, 1}, {4612, 1}, {4696, 2}, {5327, 1}, {9335, 1},
                                                 {10147, 1}, {10163, 1}, {10179, 1}, {10919, 1}, {10927, 0}})
        EXPECT_EQ(At<std::int32_t>(b, c.off), c.want) << "offset " << c.off;
    struct RealAt { std::size_t off; double want; };
    for (RealAt c : std::initializer_list<RealAt>{{36, -999}, {4668, 150}, {4788, 150}, {5196, 0.04}, {5287, 32},
                                                   {5295, 5}, {9395, -999}, {9539, 0}, {10911, 0.04}})
        EXPECT_EQ(At<double>(b, c.off), c.want) << "offset " << c.off;
    for (std::size_t off : {0u, 136u, 10395u}) {
        EXPECT_EQ(At<std::uint32_t>(b, off), 0x8000000Au) << "offset " << off;
        EXPECT_EQ(At<std::int64_t>(b, off + 4), kSpill) << "offset " << off;
    }
    for (std::size_t k = 0; k < 11; ++k) EXPECT_EQ(b[5264 + k], 0) << "string " << k;
    EXPECT_EQ(b[9403], 0);  // the oil name bytes start zeroed
}

TEST(ScenarioFile, EveryFieldInItsRowOfTheTable) {
    // Every field differs from every other in the counter scenario, so the
    // bytes show any field out of its place.
    const Scenario counter = CounterScenario();
    const std::vector<std::uint8_t> got = SaveScenario(counter), want = ByTheRowTable(counter);
    EXPECT_EQ(FirstDifference(got, want), "");
    const Scenario fresh(kSpill);
    EXPECT_EQ(FirstDifference(SaveScenario(fresh), ByTheRowTable(fresh)), "");
    EXPECT_EQ(ByTheRowTable(fresh).size(), 10931u);
}

TEST(ScenarioFile, DispersantPercentagesKeepTheirPlaces) {
    // The sheet's first percentage is stored before its second, in the
    // dialog rows and in the record rows alike (the model's exchange of the
    // two happens at the model, never in the file).
    Scenario s(kSpill);
    s.m_dDispersantDispersed[0] = 60;
    s.m_dDispersantSprayed[0] = 40;
    s.dispersant.dispersed[0] = 61;
    s.dispersant.sprayed[0] = 41;
    s.dispersant.startHour[0] = 3;
    s.dispersant.duration[0] = 2;
    const std::vector<std::uint8_t> b = SaveScenario(s);
    EXPECT_EQ(At<double>(b, 4596), 60);
    EXPECT_EQ(At<double>(b, 4604), 40);
    EXPECT_EQ(At<std::int32_t>(b, 10311), 3);
    EXPECT_EQ(At<std::int32_t>(b, 10315), 2);
    EXPECT_EQ(At<double>(b, 10319), 61);
    EXPECT_EQ(At<double>(b, 10327), 41);
}

TEST(ScenarioFile, RoundTripIsBitForBit) {
    Scenario s = CounterScenario();
    // A NaN with a payload and a negative zero survive as bit patterns.
    s.m_dEmulsValue = std::bit_cast<double>(0x7FF800000000BEEFull);
    s.water.direction = -0.0;
    std::vector<std::uint8_t> first = SaveScenario(s);
    LoadResult r = Load(first);
    ASSERT_TRUE(r.scenario) << r.error;
    EXPECT_EQ(SaveScenario(*r.scenario), first);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(r.scenario->m_dEmulsValue), 0x7FF800000000BEEFull);
    EXPECT_TRUE(std::signbit(r.scenario->water.direction));
    // Without the NaN every field compares equal.
    s.m_dEmulsValue = 3.5;
    r = Load(SaveScenario(s));
    ASSERT_TRUE(r.scenario);
    EXPECT_TRUE(*r.scenario == s);
}

TEST(ScenarioFile, StringPrefixesTakeTheShortestForm) {
    struct Case { std::size_t len; std::vector<std::uint8_t> prefix; };
    const Case cases[] = {
        {0, {0x00}}, {254, {0xFE}}, {255, {0xFF, 0xFF, 0x00}}, {300, {0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}}, {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("a text of " + std::to_string(c.len) + " bytes");
        platform::ArchiveWriter w;
        w.Str(std::string(c.len, 'q'));
        std::vector<std::uint8_t> b = w.Take();
        ASSERT_EQ(b.size(), c.prefix.size() + c.len) << c.len;
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), b.begin())) << c.len;
        platform::ArchiveReader r(b);
        EXPECT_EQ(r.Str().size(), c.len);
        EXPECT_EQ(r.Left(), 0u);
    }
    // A longer prefix than needed is read as well, as the first program's reader did.
    const std::vector<std::uint8_t> wide = {0xFF, 0x03, 0x00, 'a', 'b', 'c'};
    platform::ArchiveReader r(wide);
    EXPECT_EQ(r.Str(), "abc");
}

TEST(ScenarioFile, LegacyFourByteTimeIsSeconds) {
    const std::vector<std::uint8_t> b = {0x10, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
                                         0x0A, 0x00, 0x00, 0x80, 1, 2, 0, 0, 0, 0, 0, 0};
    platform::ArchiveReader r(b);
    EXPECT_EQ(r.Time(), 16);
    EXPECT_EQ(r.Time(), -1);  // sign-extended
    EXPECT_EQ(r.Time(), 0x0201);
    EXPECT_EQ(r.Left(), 0u);
}

TEST(ScenarioFile, EveryPrefixIsRefusedCleanly) {
    Scenario s(kSpill);
    s.OilName = "Some crude";
    s.PourPoint = std::string(300, 'p');
    std::vector<std::uint8_t> b = SaveScenario(s);
    for (std::size_t n = 0; n < b.size(); ++n) {
        std::vector<std::uint8_t> cut(b.begin(), b.begin() + static_cast<long>(n));
        LoadResult r = Load(cut);
        ASSERT_FALSE(r.scenario) << n;
        ASSERT_EQ(r.error, "it is damaged or not a scenario file (it ends at byte " + std::to_string(n) + ").");
    }
    // Bytes after the last row are ignored.
    b.push_back(7);
    EXPECT_TRUE(Load(b).scenario);
}

TEST(ScenarioFile, DamagedValuesAreRefused) {
    const std::vector<std::uint8_t> good = SaveScenario(Scenario(kSpill));
    struct Case { const char* what; std::size_t off; std::vector<std::uint8_t> bytes; const char* error; };
    const Case cases[] = {
        {"variable wind count 121", 4432, {121, 0, 0, 0}, "a value out of range at byte 4432"},
        {"variable wind count -1", 4432, {0xFF, 0xFF, 0xFF, 0xFF}, "a value out of range at byte 4432"},
        {"hourly wind count 121", 5275 + 48, {121, 0, 0, 0}, "a value out of range at byte 5323"},
        {"dispersant count 6", 10299, {6, 0, 0, 0}, "a value out of range at byte 10299"},
        {"skimmer count 6", 10307, {6, 0, 0, 0}, "a value out of range at byte 10307"},
        {"spill time in year 5000", 4, {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00}, "a value out of range at byte 0"},
        {"a huge string length", 5264, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, "it ends at byte"},
        {"a 16-bit text marker", 5264, {0xFF, 0xFE, 0xFF}, "unsupported text encoding (at byte 5264)"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> b = good;
        std::copy(c.bytes.begin(), c.bytes.end(), b.begin() + static_cast<long>(c.off));
        LoadResult r = Load(b);
        EXPECT_FALSE(r.scenario) << c.what;
        EXPECT_NE(r.error.find(c.error), std::string::npos) << c.what << ": " << r.error;
    }
    // Unit codes out of range are not refused: the readers bound them.
    std::vector<std::uint8_t> b = good;
    b[9335] = 99;  // tUnits
    EXPECT_TRUE(Load(b).scenario);
}

TEST(ScenarioFile, ByteFlipFuzzNeverCrashes) {
    Scenario s = CounterScenario();
    s.Synonyms.resize(40);  // keep the file small enough for many cases
    s.ProductType.resize(3);
    s.API.resize(300);
    std::vector<std::uint8_t> good = SaveScenario(s);
    std::mt19937 gen(12345);
    int loaded = 0;
    for (int round = 0; round < 1000; ++round) {
        std::vector<std::uint8_t> b = good;
        const int flips = 1 + static_cast<int>(gen() % 8);
        for (int k = 0; k < flips; ++k) b[gen() % b.size()] ^= static_cast<std::uint8_t>(1 + gen() % 255);
        if (round % 3 == 0) b.resize(gen() % (b.size() + 1));
        LoadResult r = Load(b);
        if (r.scenario) {
            ++loaded;
            // Whatever loaded holds values a file may hold.
            ASSERT_GE(r.scenario->wind.num, 0);
            ASSERT_LE(r.scenario->wind.num, 120);
            ASSERT_LE(r.scenario->dispersant.num, 5);
        } else {
            ASSERT_FALSE(r.error.empty());
        }
    }
    EXPECT_GT(loaded, 0);
}

TEST(ScenarioFile, FilesOnDiskSaveSafelyAndNameTheFileOnError) {
    tavro_test::TempDir tmp("tavro_scenario");
    const fs::path& dir = tmp.Path();
    const std::string path = (dir / "a.tvr").string();
    Scenario s(kSpill);
    s.OilName = "first";
    std::string error;
    ASSERT_TRUE(SaveScenarioFile(path, s, &error)) << error;
    LoadResult r = LoadScenarioFile(path);
    ASSERT_TRUE(r.scenario);
    EXPECT_EQ(r.scenario->OilName, "first");

    // A save into a folder that does not exist fails and says so.
    EXPECT_FALSE(SaveScenarioFile((dir / "missing" / "b.tvr").string(), s, &error));
    EXPECT_NE(error.find("b.tvr"), std::string::npos);

    // A short file names itself.
    ASSERT_TRUE(platform::WriteWholeFile((dir / "short.tvr").string(), "abc"));
    r = LoadScenarioFile((dir / "short.tvr").string());
    EXPECT_FALSE(r.scenario);
    EXPECT_EQ(r.error, "Cannot open " + (dir / "short.tvr").string() +
                           ": it is damaged or not a scenario file (it ends at byte 3).");
    r = LoadScenarioFile((dir / "none.tvr").string());
    EXPECT_FALSE(r.scenario);
    EXPECT_NE(r.error.find("none.tvr"), std::string::npos);

    // A huge file, or a device without an end, is refused without reading it all.
    ASSERT_TRUE(platform::WriteWholeFile((dir / "huge.tvr").string(), ""));
    fs::resize_file(dir / "huge.tvr", kMaxScenarioFileBytes + 1);
    for (std::string path : {(dir / "huge.tvr").string(), std::string("/dev/zero")}) {
        if (!fs::exists(path)) continue;
        r = LoadScenarioFile(path);
        EXPECT_FALSE(r.scenario) << path;
        EXPECT_EQ(r.error, "Cannot open " + path + ": it is far too large to be a scenario file.");
    }
}
