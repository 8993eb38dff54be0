// Values the document derives from its inputs for the leaking-tank wizard
// and the printout.
#include <numeric>

#include "document/SpillDoc.h"
#include "model/UnitConversion.h"

namespace document {

namespace {
constexpr double kMissing = model::MISSING_VALUE_D;
}

void SpillDocCore::GetWaterTempAndSalinity(double& tempK, double& salinity) const {
    const model::InputWater& w = scenario.water;
    if (!(w.temperature > -900)) {
        tempK = kMissing;
        salinity = kMissing;
        return;
    }
    using model::ESITempUnit;
    if (w.tempUnits == model::WTEMP_F)
        tempK = model::ConvertToSI(model::QUANTITY_TEMPERATURE, int(ESITempUnit::Fahrenheit), w.temperature);
    else if (w.tempUnits == model::WTEMP_C)
        tempK = model::ConvertToSI(model::QUANTITY_TEMPERATURE, int(ESITempUnit::Celsius), w.temperature);
    else
        tempK = kMissing;
    salinity = w.salinity;
}

double SpillDocCore::GetOilDensity(double* refTemp) const {
    double tempK = kMissing, salinity = kMissing;
    GetWaterTempAndSalinity(tempK, salinity);
    const model::InputOil& o = scenario.oil;
    double used = kMissing;
    double rho;
    if (o.api > -900 || o.rhoRef_value[0] > -900)
        rho = model::CWeatheringCore::OilDensityAtTemperature(tempK, o.rhoRef_value[0], o.rhoRef_temp[0], o.api,
                                                              &used);
    else
        rho = model::CWeatheringCore::OilDensityAtTemperature(kMissing, kMissing, kMissing, kMissing, &used);
    if (refTemp) *refTemp = used;
    return rho;
}

double SpillDocCore::GetWaterDensity() const {
    double tempK = kMissing, salinity = kMissing;
    GetWaterTempAndSalinity(tempK, salinity);
    return model::CWeatheringCore::SeaWaterDensity(tempK - 273.15, salinity);
}

bool SpillDocCore::ComputeTankLeak() {
    const double rhoOil = GetOilDensity();
    const double rhoWater = GetWaterDensity();
    if (core_->SetTankRelease(scenario.tank) != 0) return false;
    double hourly[model::MAX_HOURS] = {};
    scenario.m_dTankLeakDuration = core_->ComputeTankRelease(hourly, rhoWater, rhoOil);
    scenario.m_dTankTotalRelease = std::accumulate(hourly, hourly + model::MAX_HOURS, 0.0);
    return true;
}

}  // namespace document
