#include "ui/inputs/rules/SmokePlumeRules.h"

#include <algorithm>
#include <cstring>

#include "model/Inputs.h"
#include "model/UnitConversion.h"
#include "platform/NumText.h"
#include "platform/TimeText.h"
#include "document/TimePick.h"
#include "ui/inputs/rules/OperationPages.h"

namespace ui {

using document::Scenario;
using model::ConvertToSI;
using model::MISSING_VALUE_D;

namespace {

constexpr const char* kPlumeTitle = "Smoke plume";
constexpr const char* kPlumeLabel = "assumes long duration burn";

template <std::size_t N>
bool InList(int index, const char* const (&)[N]) {
    return index >= 0 && index < static_cast<int>(N);
}

// A temperature of the plume's lists (0 F, 1 C) in K.
double Kelvin(int unit, double value) {
    const auto si = unit == 0 ? model::ESITempUnit::Fahrenheit : model::ESITempUnit::Celsius;
    return ConvertToSI(model::QUANTITY_TEMPERATURE, static_cast<int>(si), value);
}

void CopyText(char (&to)[model::SERIES_LABEL_LENGTH], const char* text) {
    std::strncpy(to, text, sizeof to - 1);
    to[sizeof to - 1] = '\0';
}

}  // namespace

SmokePlumeRules::SmokePlumeRules(document::SpillDocCore& doc, int burn) : doc_(doc), burn_(burn) {
    const Scenario& s = doc.scenario;
    if (s.m_bWaterInputPassed) {
        waterTemp_ = s.water.temperature;
        waterUnit_ = s.water.tempUnits - 1;
    }
    if (s.m_bWindAndWaveInputPassed) {
        double sum = 0;
        const int n = std::clamp(s.wind.num, 0, model::MAX_HOURS);
        for (int i = 0; i < n; ++i) sum += s.wind.speed[i];
        meanWind_ = n > 0 ? sum / n : 0.0;
        meanWindUnit_ = s.m_bVarWind ? s.m_iVarSpeedUnit : s.m_iWindSpeedUnit;
    }
    if (s.m_bOilInputPassed) {
        oilName_ = s.OilName;
        api_ = s.oil.api;
        density_ = s.oil.rhoRef_value[0];
        densityRefTemp_ = s.oil.rhoRef_temp[0];
    } else {
        oilName_ = kPlumeDefaultOil;
    }
}

SmokePlumeForm SmokePlumeRules::Load() const {
    const Scenario& s = doc_.scenario;
    SmokePlumeForm f;
    f.loc = platform::FormatG15(s.m_dPlumeLOC[burn_]);
    f.airTemp = platform::FormatG15(s.m_dPlumeAirTemp[burn_]);
    f.airUnit = std::clamp(s.m_iPlumeUnit[burn_], 0, 1);
    f.wind = platform::FormatG15(meanWind_.value_or(s.m_dPlumeWindSpeed[burn_]));
    f.windUnit = std::clamp(meanWind_ ? meanWindUnit_ : s.m_iPlumeWindUnit[burn_], 0, 2);
    return f;
}

CheckResult SmokePlumeRules::Store(const SmokePlumeForm& form) {
    // The air temperature is checked on the decimal value that is stored.
    const double air = platform::LeadingDecimal(form.airTemp);
    const char* airText = nullptr;
    if (form.airUnit == 1) {
        if (air > 38)
            airText = "Sorry, TAVRO does not support air temperatures above 38 degrees C. Please enter a cooler "
                      "air temperature.";
        else if (air < -18)
            airText = "Sorry, TAVRO does not support air temperatures below -18 degrees C. Please enter a warmer "
                      "air temperature.";
    } else {
        if (air > 100)
            airText = "Sorry, TAVRO does not support air temperatures above 100 degrees F. Please enter a cooler "
                      "air temperature.";
        else if (air < 0)
            airText = "Sorry, TAVRO does not support air temperatures below 0 degrees F. Please enter a warmer "
                      "air temperature.";
    }
    if (airText) return CheckResult::Refuse(airText);
    // A level of concern or a wind of 0 has no plume to draw.
    if (!(platform::LeadingDecimal(form.loc) > 0))
        return CheckResult::Refuse("Please enter a level of concern greater than 0.");
    if (!(platform::LeadingDecimal(form.wind) > 0))
        return CheckResult::Refuse("Please enter an average wind speed greater than 0.");
    const std::optional<double> loc = platform::ReadNumber(form.loc);
    const std::optional<double> airValue = platform::ReadNumber(form.airTemp);
    const std::optional<double> wind = platform::ReadNumber(form.wind);
    if (!loc || !airValue || !wind)
        return CheckResult::Refuse(platform::kEnterNumberText, platform::MsgIcon::Exclamation);

    Scenario& s = doc_.scenario;
    s.m_dPlumeLOC[burn_] = *loc;
    s.m_dPlumeAirTemp[burn_] = *airValue;
    s.m_dPlumeWindSpeed[burn_] = *wind;
    s.m_iPlumeUnit[burn_] = std::clamp(form.airUnit, 0, 1);
    s.m_iPlumeWindUnit[burn_] = std::clamp(form.windUnit, 0, 2);
    return {};
}

std::optional<SmokePlumeRequest> SmokePlumeRules::Request() const {
    const Scenario& s = doc_.scenario;
    const int areaUnit = s.m_iAreaUnits[burn_], thickUnit = s.m_iThicknessUnits[burn_];
    const int airUnit = s.m_iPlumeUnit[burn_], windUnit = s.m_iPlumeWindUnit[burn_];
    const int rateUnit = s.m_iBurnRegRateUnit;
    if (!InList(areaUnit, kBurnAreaUnits) || !InList(thickUnit, kBurnThicknessUnits) ||
        !InList(airUnit, kPlumeTempUnits) || !InList(windUnit, kPlumeWindUnits) || !InList(rateUnit, kRegRateUnits) ||
        !InList(waterUnit_, kPlumeTempUnits))
        return std::nullopt;

    SmokePlumeRequest r;
    r.loc = s.m_dPlumeLOC[burn_];
    const double area = s.m_dBurnArea[burn_];
    constexpr int kAreaSI[] = {model::AREA_FT2, model::AREA_YD2};
    r.area = areaUnit == 2 ? area : ConvertToSI(model::QUANTITY_AREA, kAreaSI[areaUnit], area);
    constexpr int kLengthSI[] = {model::LEN_MM, model::LEN_CM, model::LEN_IN};
    r.thickness = ConvertToSI(model::QUANTITY_LENGTH, kLengthSI[thickUnit], s.m_dBurnThickness[burn_]);
    // The default rate is 0.04 mm/s whatever unit the hidden list shows.
    if (s.m_iBurnRegRateCombo != 1)
        r.regression = kDefaultRegRate * 0.001;
    else if (rateUnit == 0)
        r.regression = s.m_dBurnRegRate * 0.001;
    else
        r.regression = ConvertToSI(model::QUANTITY_SPEED, model::SPEED_INS, s.m_dBurnRegRate);
    r.airTemp = Kelvin(airUnit, s.m_dPlumeAirTemp[burn_]);
    r.waterTemp = Kelvin(waterUnit_, waterTemp_);
    constexpr int kSpeedSI[] = {model::SPEED_MPH, model::SPEED_KNOT};
    const double wind = s.m_dPlumeWindSpeed[burn_];
    r.wind = windUnit == 2 ? wind : ConvertToSI(model::QUANTITY_SPEED, kSpeedSI[windUnit], wind);
    r.api = api_;
    r.density = density_;
    r.densityRefTemp = densityRefTemp_;
    return r;
}

CheckResult SmokePlumeRules::Next(const SmokePlumeForm& form, std::unique_ptr<model::SPlumeGraphData>& plume) {
    plume.reset();
    CheckResult stored = Store(form);
    if (!stored.ok()) return stored;
    const std::optional<SmokePlumeRequest> r = Request();
    auto result = std::make_unique<model::SPlumeGraphData>();
    if (!r || doc_.Model().SmokePlume(*result, r->loc, r->area, r->thickness, r->regression, r->airTemp,
                                      r->waterTemp, r->wind, r->api, r->density, r->densityRefTemp) != 0)
        return CheckResult::Refuse(kPlumeErrorText);
    CopyText(result->title, kPlumeTitle);
    CopyText(result->units, kPlumeLabel);
    const document::TimePick start = document::PickOf(doc_.scenario.InSituBurnTime[burn_], doc_.Clock());
    result->startMonth = start.month0 + 1;
    result->startDay = start.day0 + 1;
    result->startHour = start.hour;
    plume = std::move(result);
    return {};
}

PlumeSummary SmokePlumeRules::Summary(const model::SPlumeGraphData& plume) const {
    const Scenario& s = doc_.scenario;
    const int month = std::clamp(plume.startMonth, 1, 12);
    PlumeSummary m;
    m.time = platform::Format("Time of Burn = %s %02d, %02d:00 hours", platform::kMonthNames[month - 1],
                              plume.startDay, plume.startHour);
    m.duration = platform::Format("Burn Duration = %d minutes", plume.duration);
    m.loc = platform::Format("LOC = %.0f ugm/m3", s.m_dPlumeLOC[burn_]);
    m.area = platform::Format("Burn Area = %.0f %s", s.m_dBurnArea[burn_],
                              kBurnAreaUnits[std::clamp(s.m_iAreaUnits[burn_], 0, 2)]);
    m.airTemp = platform::Format("Air Temperature = %.0f %s", s.m_dPlumeAirTemp[burn_],
                                 kPlumeTempUnits[std::clamp(s.m_iPlumeUnit[burn_], 0, 1)]);
    m.wind = platform::Format("Wind Speed = %.0f %s", s.m_dPlumeWindSpeed[burn_],
                              kPlumeWindUnits[std::clamp(s.m_iPlumeWindUnit[burn_], 0, 2)]);
    m.oil = "Oil Name = " + oilName_ + " ";
    return m;
}

}  // namespace ui
