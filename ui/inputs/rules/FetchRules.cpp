#include "ui/inputs/rules/FetchRules.h"

#include <algorithm>

#include "platform/NumText.h"
#include "ui/inputs/rules/InputTexts.h"

namespace ui {

namespace {

void WindChanged(document::SpillDocCore& doc) {
    doc.session.m_bChanged[document::ChangedWindWave] = 1;
    doc.SetModified(true);
}

}  // namespace

FetchForm FetchRules::Load() const {
    const document::Scenario& s = doc_.scenario;
    return {{ShownAbove0(s.m_dFetchN), ShownAbove0(s.m_dFetchE), ShownAbove0(s.m_dFetchS), ShownAbove0(s.m_dFetchW)},
            std::clamp(s.m_iVarFetchUnit, 0, 1)};
}

CheckResult FetchRules::Ok(const FetchForm& form) {
    for (const std::string& f : form.fetch)
        if (!IsBlank(f) && platform::LeadingInt(f, 0) <= 0) return CheckResult::Refuse(kFetchRefusalText);
    document::Scenario& s = doc_.scenario;
    double* fetch[] = {&s.m_dFetchN, &s.m_dFetchE, &s.m_dFetchS, &s.m_dFetchW};
    for (std::size_t i = 0; i < form.fetch.size(); ++i)
        *fetch[i] = IsBlank(form.fetch[i]) ? 0 : platform::LeadingDecimal(form.fetch[i]);
    s.m_iVarFetchUnit = form.unit;
    WindChanged(doc_);
    return {};
}

WindUncertaintyForm WindUncertaintyRules::Load() const {
    const model::InputUncertainty& u = doc_.scenario.uncertainty;
    return {ShownAbove0(u.wind), std::clamp(u.windUnits - 1, 0, 2)};
}

CheckResult WindUncertaintyRules::Ok(const WindUncertaintyForm& form) {
    static constexpr int kLimits[] = {38, 34, 17};
    static constexpr const char* kLimitTexts[] = {" 38 mph.", " 34 knots.", " 17 m/s."};
    const int unit = std::clamp(form.unit, 0, 2);
    const double v = platform::LeadingDecimal(form.value);
    if (v > kLimits[unit])
        return CheckResult::Refuse(std::string(kHeaderProblemDot) + "Sorry, but the uncertainty cannot exceed" +
                                   kLimitTexts[unit]);
    model::InputUncertainty& u = doc_.scenario.uncertainty;
    const bool on = !IsBlank(form.value) && v > 0;
    u.windFlag = on ? 1 : 0;
    u.wind = on ? v : model::MISSING_VALUE_D;
    u.windUnits = unit + 1;
    WindChanged(doc_);
    return {};
}

}  // namespace ui
