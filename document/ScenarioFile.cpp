#include "document/ScenarioFile.h"

#include "platform/Archive.h"
#include "platform/Files.h"

namespace document {

namespace {

using model::MAX_HOURS;
using model::MAX_OPERATIONS;

// The rows of the file, in order. Serves both directions.
template <class Io>
void IoScenario(Io& io, Scenario& s) {
    // Spill time, entered flags, emulsification dialog, wind kind.
    io.Time(s.SpillTime);
    io.Int(s.m_bWaterInputPassed);
    io.Int(s.m_bWindAndWaveInputPassed);
    io.Int(s.m_bOilInputPassed);
    io.Int(s.m_bReleaseInputPassed);
    io.Int(s.m_bEmulsDefault);
    io.Int(s.m_bEmulsBullwinkleDefined);
    io.Real(s.m_dEmulsValue);
    io.Int(s.m_bVarWind);
    // Constant wind, fetches and wave height.
    io.Real(s.m_dWindSpeed);
    io.Real(s.m_dWindDirection);
    io.Real(s.m_dFetch);
    io.Real(s.m_dFetchN);
    io.Real(s.m_dFetchE);
    io.Real(s.m_dFetchS);
    io.Real(s.m_dFetchW);
    io.Real(s.m_dWaveHeight);
    // Variable wind records.
    for (int i = 0; i < MAX_HOURS; ++i) {
        io.Real(s.m_dVarWindSpeed[i]);
        io.Real(s.m_dVarWindDirection[i]);
        io.Real(s.m_dVarWaveHeight[i]);
        io.Time(s.m_tVarWindTime[i]);
    }
    // Wind record count and the wind dialog's units.
    io.Count(s.m_iVarWindNumber, 0, MAX_HOURS);
    io.Int(s.m_iWindSpeedUnit);
    io.Int(s.m_iFetchUnit);
    io.Int(s.m_iWaveHeightUnit);
    io.Int(s.m_iVarSpeedUnit);
    io.Int(s.m_iVarWaveHeightUnit);
    io.Int(s.m_iVarFetchUnit);
    io.Int(s.m_iWaveHeightChooser);
    // Leaking-tank wizard.
    io.Int(s.m_bTankVolumeKnown);
    io.Real(s.m_dTankOilVolume);
    io.Int(s.m_iTankVolumeUnit);
    io.Real(s.m_dTankPercentFull);
    io.Int(s.m_bHoleRound);
    io.Real(s.m_dHoleDiameter);
    io.Int(s.m_iHoleDiameterUnit);
    io.Real(s.m_dHoleRectWidth);
    io.Real(s.m_dHoleRectHeight);
    io.Int(s.m_iHoleRectUnit);
    io.Int(s.m_bHoleHeightKnown);
    io.Real(s.m_dHoleHeight);
    io.Int(s.m_iHoleHeightUnit);
    io.Real(s.m_dHoleHeightPercent);
    io.Int(s.m_bWaterLevelKnown);
    io.Real(s.m_dWaterLevel);
    io.Int(s.m_iWaterLevelUnit);
    io.Real(s.m_dWaterLevelPercent);
    io.Real(s.m_dTankTotalRelease);
    io.Real(s.m_dTankLeakDuration);
    io.Int(s.m_iTankReleaseUnit);
    // The pages of the dispersant, mechanical and burn sheets.
    for (int i = 0; i < kPages; ++i) {
        io.Int(s.m_nDispersantDuration[i]);
        io.Real(s.m_dDispersantDispersed[i]);
        io.Real(s.m_dDispersantSprayed[i]);
        io.Int(s.m_bMechanicalRateUse[i]);
        io.Real(s.m_dMechanicalRate[i]);
        io.Int(s.m_iRecoveryUnits[i]);
        io.Int(s.m_nMechanicalDuration[i]);
        io.Real(s.m_dMechanicalAmount[i]);
        io.Int(s.m_iAmountUnits[i]);
        io.Real(s.m_dBurnArea[i]);
        io.Int(s.m_iAreaUnits[i]);
        io.Real(s.m_dBurnThickness[i]);
        io.Int(s.m_iThicknessUnits[i]);
        io.Real(s.m_dPlumeLOC[i]);
        io.Real(s.m_dPlumeAirTemp[i]);
        io.Int(s.m_iPlumeUnit[i]);
        io.Real(s.m_dPlumeWindSpeed[i]);
        io.Int(s.m_iPlumeWindUnit[i]);
        io.Int(s.mDispersantPageUse[i]);
        io.Int(s.mInSituBurnPageUse[i]);
        io.Int(s.mMechanicalPageUse[i]);
    }
    // Burn regression rate, beaching dialog, the oil dialog's choice.
    io.Int(s.m_iBurnRegRateCombo);
    io.Real(s.m_dBurnRegRate);
    io.Int(s.m_iBurnRegRateUnit);
    io.Int(s.m_iBeachingUnits);
    for (double& amount : s.m_dBeachingAmount) io.Real(amount);
    io.Int(s.selF);
    // The oil's texts.
    io.Text(s.OilLibDate);
    io.Text(s.OilTavroID);
    io.Text(s.OilName);
    io.Text(s.Location);
    io.Text(s.Synonyms);
    io.Text(s.ProductType);
    io.Text(s.API);
    io.Text(s.PourPoint);
    io.Text(s.FlashPoint);
    io.Text(s.Adhesion);
    io.Text(s.Aromatics);
    // Water.
    io.Real(s.water.temperature);
    io.Int(s.water.tempUnits);
    io.Real(s.water.salinity);
    io.Real(s.water.sediment);
    io.Real(s.water.speed);
    io.Int(s.water.speedUnits);
    io.Real(s.water.direction);
    // Hourly winds, waves and beached amounts.
    io.Count(s.wind.num, 0, MAX_HOURS);
    io.Int(s.wind.speedUnits);
    io.Int(s.wind.waveHtUnits);
    io.Int(s.wind.fetchUnits);
    for (int i = 0; i < MAX_HOURS; ++i) {
        io.Real(s.wind.speed[i]);
        io.Real(s.wind.direction[i]);
        io.Real(s.wind.waveHt[i]);
        io.Real(s.beached.vol[i]);
    }
    io.Real(s.wind.fetchN);
    io.Real(s.wind.fetchE);
    io.Real(s.wind.fetchS);
    io.Real(s.wind.fetchW);
    // Instantaneous release.
    io.Int(s.instant.flag);
    io.Int(s.instant.startHour);
    io.Real(s.instant.vol);
    io.Int(s.instant.volUnits);
    // Contained release.
    io.Int(s.boomed.flag);
    io.Int(s.boomed.startHour);
    io.Real(s.boomed.vol);
    io.Int(s.boomed.volUnits);
    io.Real(s.boomed.area);
    io.Int(s.boomed.areaUnits);
    // Continuous release.
    io.Int(s.continuous.flag);
    io.Int(s.continuous.startHour);
    io.Int(s.continuous.endHour);
    io.Real(s.continuous.startRate);
    io.Real(s.continuous.endRate);
    io.Int(s.continuous.rateUnits);
    // Leaking tank.
    io.Int(s.tank.flag);
    io.Int(s.tank.vent);
    io.Int(s.tank.aground);
    io.Int(s.tank.startHour);
    io.Real(s.tank.tHeight);
    io.Real(s.tank.tWidth);
    io.Real(s.tank.tLength);
    io.Int(s.tank.tUnits);
    io.Real(s.tank.oVol);
    io.Int(s.tank.oUnits);
    io.Real(s.tank.hDiam);
    io.Real(s.tank.hArea);
    io.Int(s.tank.hUnits);
    io.Real(s.tank.zHeight);
    io.Int(s.tank.zUnits);
    io.Real(s.tank.wHeight);
    io.Int(s.tank.wUnits);
    io.Real(s.tank.Cd);
    // The oil's model inputs.
    for (char& c : s.oil.name) io.Byte(c);
    for (char& c : s.oil.productType) io.Byte(c);
    io.Real(s.oil.api);
    io.Real(s.oil.asphalt);
    io.Real(s.oil.benzene);
    io.Real(s.oil.nickel);
    io.Real(s.oil.vanadium);
    io.Real(s.oil.viscMultiplier);
    io.Real(s.oil.waterContent);
    io.Real(s.oil.waterUptakeRate);
    io.Real(s.oil.bullwinkle);
    io.Real(s.oil.bulltime);
    for (int i = 0; i < 4; ++i) {
        io.Real(s.oil.rhoRef_value[i]);
        io.Real(s.oil.rhoRef_temp[i]);
        io.Real(s.oil.rhoRef_fevap[i]);
    }
    for (int i = 0; i < 6; ++i) {
        io.Real(s.oil.viscRef_value[i]);
        io.Real(s.oil.viscRef_temp[i]);
        io.Real(s.oil.viscRef_fevap[i]);
        io.Real(s.oil.dyViscRef_value[i]);
        io.Real(s.oil.dyViscRef_temp[i]);
        io.Real(s.oil.dyViscRef_fevap[i]);
    }
    for (int i = 0; i < model::MAX_CUTS; ++i) {
        io.Real(s.oil.dist_temp[i]);
        io.Real(s.oil.dist_frac[i]);
    }
    io.Int(s.oil.dist_volumeFrac);
    // Uncertainty.
    io.Int(s.uncertainty.windFlag);
    io.Real(s.uncertainty.wind);
    io.Int(s.uncertainty.windUnits);
    io.Int(s.uncertainty.emulFlag);
    io.Real(s.uncertainty.emul);
    io.Int(s.uncertainty.emulUnits);
    io.Int(s.uncertainty.volFlag);
    io.Real(s.uncertainty.vol);
    // Continuous-release dialog.
    io.Int(s.cont.duration);
    io.Int(s.cont.durationUnits);
    io.Int(s.cont.spilledType);
    io.Real(s.cont.amount);
    io.Int(s.cont.amountUnits);
    io.Real(s.cont.rate);
    io.Int(s.cont.rateUnits1);
    io.Real(s.cont.startRate);
    io.Real(s.cont.endRate);
    io.Int(s.cont.rateUnits2);
    // Release times and operation counts.
    io.Time(s.InstantaneousTime);
    io.Time(s.ContinuousTime);
    io.Time(s.TankTime);
    io.Time(s.ContainedTime);
    io.Count(s.dispersant.num, 0, MAX_OPERATIONS);
    io.Count(s.burn.num, 0, MAX_OPERATIONS);
    io.Count(s.skimmer.num, 0, MAX_OPERATIONS);
    // Dispersant, burn and mechanical operations.
    for (int i = 0; i < MAX_OPERATIONS; ++i) {
        io.Int(s.dispersant.startHour[i]);
        io.Int(s.dispersant.duration[i]);
        io.Real(s.dispersant.dispersed[i]);
        io.Real(s.dispersant.sprayed[i]);
        io.Int(s.burn.startHour[i]);
        io.Int(s.burn.thickUnits[i]);
        io.Int(s.burn.areaUnits[i]);
        io.Real(s.burn.thick[i]);
        io.Real(s.burn.area[i]);
        io.Int(s.skimmer.startHour[i]);
        io.Int(s.skimmer.duration[i]);
        io.Int(s.skimmer.rateUnits[i]);
        io.Int(s.skimmer.amountUnits[i]);
        io.Real(s.skimmer.rate[i]);
        io.Real(s.skimmer.amount[i]);
        io.Time(s.DispersantTime[i]);
        io.Time(s.InSituBurnTime[i]);
        io.Time(s.SkimmerTime[i]);
    }
    // Burn regression rate, beached unit, oil index.
    io.Real(s.burn.regRate);
    io.Int(s.burn.regRateUnits);
    io.Int(s.beached.volUnits);
    io.Int(s.OilIndex);
}

std::string Describe(const platform::ArchiveError& e, std::size_t size) {
    using Kind = platform::ArchiveError::Kind;
    switch (e.kind()) {
        case Kind::Truncated:
            return "it is damaged or not a scenario file (it ends at byte " + std::to_string(size) + ").";
        case Kind::WideText:
            return "it holds a text in an unsupported text encoding (at byte " + std::to_string(e.offset()) +
                   ").";
        case Kind::BadValue:
            break;
    }
    return "it is damaged or not a scenario file (a value out of range at byte " + std::to_string(e.offset()) +
           ").";
}

}  // namespace

std::vector<std::uint8_t> SaveScenario(const Scenario& s) {
    Scenario copy = s;
    platform::ArchiveWriter writer;
    platform::ArchiveStoring io(writer);
    IoScenario(io, copy);
    return writer.Take();
}

LoadResult LoadScenario(std::span<const std::uint8_t> bytes) {
    LoadResult result;
    // Parse into a scenario of its own: nothing is handed over unless the
    // whole file was read.
    Scenario s;
    platform::ArchiveReader reader(bytes);
    platform::ArchiveLoading io(reader, kEarliestFileTime, kLatestFileTime);
    try {
        IoScenario(io, s);
    } catch (const platform::ArchiveError& e) {
        result.error = Describe(e, bytes.size());
        return result;
    }
    result.scenario = std::move(s);
    return result;
}

LoadResult LoadScenarioFile(const std::string& path) {
    std::string contents;
    const platform::ReadStatus read = platform::ReadFileUpTo(path, kMaxScenarioFileBytes, contents);
    if (read != platform::ReadStatus::Ok) {
        LoadResult refused;
        refused.error = "Cannot open " + path +
                        (read == platform::ReadStatus::TooLarge ? ": it is far too large to be a scenario file."
                                                                : ": the file cannot be read.");
        return refused;
    }
    LoadResult result = LoadScenario(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size()));
    if (!result.scenario) result.error = "Cannot open " + path + ": " + result.error;
    return result;
}

bool SaveScenarioFile(const std::string& path, const Scenario& s, std::string* error) {
    std::vector<std::uint8_t> bytes = SaveScenario(s);
    std::string why;
    if (!platform::SafeReplaceFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                                   &why)) {
        if (error) *error = "Cannot save " + path + ": " + why + ". The file was not changed.";
        return false;
    }
    return true;
}

}  // namespace document
