// One spill scenario: exactly what the scenario file stores (Scenario) and
// the state of the session that it does not store (SessionState). Members
// carry the names the dialogs, views and the tree use; records are the
// model's input records. Dialog unit choices are 0-based list indices, unit
// codes of the records 1-based.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/Constants.h"
#include "model/Inputs.h"

namespace document {

// Calendar time: seconds since 1970-01-01 00:00:00 UTC.
using Time = std::int64_t;

// A fixed-size text field of a record (not always terminated) as text.
inline std::string FieldText(const char* field, std::size_t size) {
    std::size_t n = 0;
    while (n < size && field[n] != '\0') ++n;
    return std::string(field, n);
}

// Whole hours from a to b, truncated toward zero.
inline std::int64_t HoursBetween(Time a, Time b) { return (b - a) / 3600; }

// The eleven graphs in their fixed order.
enum EGraphWindow : int {
    GraphDensity = 0,
    GraphViscosity,
    GraphWater,
    GraphBenzene,
    GraphBudget,
    GraphEvaporation,
    GraphDisperse,
    GraphRemain,
    GraphBurn,
    GraphSkim,
    GraphBeach,
    kGraphCount
};

// The change flags in m_bChanged.
enum EChangeFlag : int {
    ChangedRelease = 0,
    ChangedWater,
    ChangedWindWave,
    ChangedOil,
    ChangedDispersant,
    ChangedBurn,
    ChangedMechanical,
    ChangedBeaching,
    ChangedEmulsification,
    SolvedTree,
    SolvedPrint,
    kChangeFlagCount
};
inline constexpr int kInputChangeFlags = 9;  // ChangedRelease .. ChangedEmulsification

inline constexpr int kPages = model::MAX_OPERATIONS;  // pages of each removal sheet
inline constexpr int kBeachingDays = 6;

// Variables of the continuous-release dialog.
struct ContinuousVars {
    int duration = model::MISSING_VALUE;
    int durationUnits = 0;  // 0 hours, otherwise days
    int spilledType = 0;    // 0 total amount, 1 constant rate, 2 changing rate
    double amount = model::MISSING_VALUE_D;
    int amountUnits = 0;
    double rate = model::MISSING_VALUE_D;
    int rateUnits1 = 0;
    double startRate = model::MISSING_VALUE_D;
    double endRate = model::MISSING_VALUE_D;
    int rateUnits2 = 0;
    bool operator==(const ContinuousVars&) const = default;
};

// The scenario as the file holds it. Every time starts at the spill time
// given to the constructor.
struct Scenario {
    explicit Scenario(Time spillTime = 0);

    // Release and operation times.
    Time SpillTime;
    Time InstantaneousTime, ContinuousTime, TankTime, ContainedTime;
    Time DispersantTime[kPages], InSituBurnTime[kPages], SkimmerTime[kPages];

    // Entered flags.
    int m_bWaterInputPassed = 0;
    int m_bWindAndWaveInputPassed = 0;
    int m_bOilInputPassed = 0;
    int m_bReleaseInputPassed = 0;

    // Emulsification dialog.
    int m_bEmulsDefault = 1;
    int m_bEmulsBullwinkleDefined = 1;
    double m_dEmulsValue = model::MISSING_VALUE_D;

    // Wind and waves dialog.
    int m_bVarWind = 0;
    double m_dWindSpeed = model::MISSING_VALUE_D;
    double m_dWindDirection = model::MISSING_VALUE_D;
    double m_dFetch = 0;
    double m_dFetchN = 0, m_dFetchE = 0, m_dFetchS = 0, m_dFetchW = 0;
    double m_dWaveHeight = model::MISSING_VALUE_D;
    double m_dVarWindSpeed[model::MAX_HOURS];
    double m_dVarWindDirection[model::MAX_HOURS];
    double m_dVarWaveHeight[model::MAX_HOURS];
    Time m_tVarWindTime[model::MAX_HOURS];
    int m_iVarWindNumber = 0;
    int m_iWindSpeedUnit = 0;
    int m_iFetchUnit = 0;
    int m_iWaveHeightUnit = 0;
    int m_iVarSpeedUnit = 0;
    int m_iVarWaveHeightUnit = 0;
    int m_iVarFetchUnit = 0;
    int m_iWaveHeightChooser = 0;

    // Leaking-tank wizard.
    int m_bTankVolumeKnown = 1;
    double m_dTankOilVolume = model::MISSING_VALUE_D;
    int m_iTankVolumeUnit = 0;
    double m_dTankPercentFull = model::MISSING_VALUE_D;
    int m_bHoleRound = 1;
    double m_dHoleDiameter = model::MISSING_VALUE_D;
    int m_iHoleDiameterUnit = 0;
    double m_dHoleRectWidth = model::MISSING_VALUE_D;
    double m_dHoleRectHeight = model::MISSING_VALUE_D;
    int m_iHoleRectUnit = 0;
    int m_bHoleHeightKnown = 1;
    double m_dHoleHeight = model::MISSING_VALUE_D;
    int m_iHoleHeightUnit = 0;
    double m_dHoleHeightPercent = model::MISSING_VALUE_D;
    int m_bWaterLevelKnown = 1;
    double m_dWaterLevel = model::MISSING_VALUE_D;
    int m_iWaterLevelUnit = 0;
    double m_dWaterLevelPercent = model::MISSING_VALUE_D;
    double m_dTankTotalRelease = model::MISSING_VALUE_D;  // m3
    double m_dTankLeakDuration = model::MISSING_VALUE_D;  // s
    int m_iTankReleaseUnit = 0;

    // Removal sheets, one entry per page.
    int mDispersantPageUse[kPages];
    int m_nDispersantDuration[kPages];
    double m_dDispersantDispersed[kPages];  // first percentage: of the spill area, sprayed
    double m_dDispersantSprayed[kPages];    // second percentage: of the oil sprayed, dispersed
    int mInSituBurnPageUse[kPages];
    int m_iAreaUnits[kPages];
    int m_iThicknessUnits[kPages];
    double m_dBurnArea[kPages];
    double m_dBurnThickness[kPages];
    int mMechanicalPageUse[kPages];
    int m_bMechanicalRateUse[kPages];
    int m_iRecoveryUnits[kPages];
    int m_iAmountUnits[kPages];
    int m_nMechanicalDuration[kPages];
    double m_dMechanicalRate[kPages];
    double m_dMechanicalAmount[kPages];
    // Smoke plume of each burn page.
    int m_iPlumeUnit[kPages];
    int m_iPlumeWindUnit[kPages];
    double m_dPlumeLOC[kPages];
    double m_dPlumeAirTemp[kPages];
    double m_dPlumeWindSpeed[kPages];
    // Burn regression rate of the advanced options.
    int m_iBurnRegRateCombo = 0;
    double m_dBurnRegRate = 0.04;
    int m_iBurnRegRateUnit = 0;

    // Beaching dialog.
    int m_iBeachingUnits = 0;
    double m_dBeachingAmount[kBeachingDays];

    int selF = 0;  // oil temperature texts in deg F when set

    // Oil texts (raw 8-bit bytes, as the library holds them).
    std::string OilLibDate, OilTavroID, OilName, Location, Synonyms, ProductType, API, PourPoint,
        FlashPoint, Adhesion, Aromatics;
    int OilIndex = 0;  // file offset of the oil's record in its library

    // Model input records.
    model::InputInstant instant;
    model::InputBoomed boomed;
    model::InputContinuous continuous;
    model::InputTank tank;
    model::InputOil oil;
    model::InputWater water;
    model::InputWindAndWave wind;
    model::InputBeached beached;
    model::InputSkimmer skimmer;
    model::InputDispersant dispersant;
    model::InputBurn burn;
    model::InputUncertainty uncertainty;

    ContinuousVars cont;

    bool operator==(const Scenario&) const = default;
};

// What a session holds besides the file's contents.
struct SessionState {
    SessionState();
    int m_iGraphUnits[kGraphCount];
    int m_bStandardOil = 1;
    int m_bChanged[kChangeFlagCount];
    int m_bGraphOpen[kGraphCount];
    int m_bMultipleGraphs = 0;
    int m_bNotSolved = 1;
    int m_bNewGraphsNotice = 0;
    int customOilCounter = 0;     // id counter of new custom oils
    int customOilFirstClock = 0;  // first clock reading of the custom oils dialog
    bool modified = false;        // input changed since the last save or open
    // The outputs were closed by an input change after a solve: the model
    // still holds the old run's results, which no window may show again.
    bool resultsStale = false;
    // The mode a new or opened scenario, and one whose input changed, goes
    // to: the one the user last chose (the program remembers it).
    int startMultipleGraphs = 0;
    bool operator==(const SessionState&) const = default;
};

}  // namespace document
