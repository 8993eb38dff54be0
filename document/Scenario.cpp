#include "document/Scenario.h"

namespace document {

using model::MISSING_VALUE;
using model::MISSING_VALUE_D;

Scenario::Scenario(Time spillTime)
    : SpillTime(spillTime),
      InstantaneousTime(spillTime),
      ContinuousTime(spillTime),
      TankTime(spillTime),
      ContainedTime(spillTime) {
    for (int i = 0; i < kPages; ++i) {
        DispersantTime[i] = InSituBurnTime[i] = SkimmerTime[i] = spillTime;
        mDispersantPageUse[i] = 0;
        m_nDispersantDuration[i] = MISSING_VALUE;
        m_dDispersantDispersed[i] = MISSING_VALUE_D;
        m_dDispersantSprayed[i] = MISSING_VALUE_D;
        mInSituBurnPageUse[i] = 0;
        m_iAreaUnits[i] = 0;
        m_iThicknessUnits[i] = 0;
        m_dBurnArea[i] = MISSING_VALUE_D;
        m_dBurnThickness[i] = MISSING_VALUE_D;
        mMechanicalPageUse[i] = 0;
        m_bMechanicalRateUse[i] = 1;
        m_iRecoveryUnits[i] = 0;
        m_iAmountUnits[i] = 0;
        m_nMechanicalDuration[i] = MISSING_VALUE;
        m_dMechanicalRate[i] = MISSING_VALUE_D;
        m_dMechanicalAmount[i] = MISSING_VALUE_D;
        m_iPlumeUnit[i] = 0;
        m_iPlumeWindUnit[i] = 2;
        m_dPlumeLOC[i] = 150;
        m_dPlumeAirTemp[i] = 70;
        m_dPlumeWindSpeed[i] = 5;
    }
    for (int i = 0; i < model::MAX_HOURS; ++i) {
        m_dVarWindSpeed[i] = m_dVarWindDirection[i] = m_dVarWaveHeight[i] = MISSING_VALUE_D;
        m_tVarWindTime[i] = spillTime;
    }
    for (double& amount : m_dBeachingAmount) amount = MISSING_VALUE_D;
}

SessionState::SessionState() {
    // Density, viscosity, water, benzene, then the seven volume graphs in percent.
    const int units[kGraphCount] = {1, 0, 1, 0, 2, 2, 2, 2, 2, 2, 2};
    for (int i = 0; i < kGraphCount; ++i) {
        m_iGraphUnits[i] = units[i];
        m_bGraphOpen[i] = 0;
    }
    for (int i = 0; i < kChangeFlagCount; ++i) m_bChanged[i] = i <= ChangedOil ? 1 : 0;
}

}  // namespace document
