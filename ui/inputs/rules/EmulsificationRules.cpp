#include "ui/inputs/rules/EmulsificationRules.h"

#include <algorithm>

#include "platform/NumText.h"
#include "ui/inputs/rules/InputTexts.h"

namespace ui {

EmulsificationForm EmulsificationRules::Load() const {
    const document::Scenario& s = doc_.scenario;
    EmulsificationForm f;
    f.useDefault = s.m_bEmulsDefault != 0;
    f.unit = s.m_bEmulsBullwinkleDefined ? 0 : 1;
    f.value = ShownAbove0(s.m_dEmulsValue);
    f.uncertainty = ShownAbove0(s.uncertainty.emul);
    return f;
}

CheckResult EmulsificationRules::ValidateInput(const EmulsificationForm& form) const {
    std::string text = kHeaderProblem;
    bool failed = false;
    auto add = [&](const char* fragment) {
        text += fragment;
        failed = true;
    };
    const bool percent = form.unit == 0;
    if (!form.useDefault) {
        const double v = platform::LeadingDecimal(form.value);
        if (IsBlank(form.value)) add(kEmulsValueMissingText);
        else if (v <= 0) add(kEmulsAbove0Text);
        else if (percent && v > 100) add(kEmulsPercentText);
    }
    if (!IsBlank(form.uncertainty)) {
        const double u = platform::LeadingDecimal(form.uncertainty);
        if (u < 0) add(kEmulsAbove0Text);
        else if (percent && u > 100) add(kEmulsPercentText);
    }
    return failed ? CheckResult::Refuse(text) : CheckResult{};
}

CheckResult EmulsificationRules::Ok(const EmulsificationForm& form) {
    CheckResult r = ValidateInput(form);
    if (!r.ok()) return r;
    document::Scenario& s = doc_.scenario;
    s.m_dEmulsValue = IsBlank(form.value) ? model::MISSING_VALUE_D : platform::LeadingDecimal(form.value);
    s.m_bEmulsBullwinkleDefined = form.unit == 0 ? 1 : 0;
    s.m_bEmulsDefault = form.useDefault ? 1 : 0;
    model::InputUncertainty& u = s.uncertainty;
    u.emulUnits = form.unit + 1;
    // An uncertainty of 0 would be stored on but reopen empty: it is off.
    const double v = platform::LeadingDecimal(form.uncertainty);
    const bool on = !IsBlank(form.uncertainty) && v > 0;
    u.emulFlag = on ? 1 : 0;
    u.emul = on ? v : model::MISSING_VALUE_D;
    return r;
}

BeachingForm BeachingRules::Load() const {
    const document::Scenario& s = doc_.scenario;
    BeachingForm f;
    for (std::size_t d = 0; d < f.amounts.size(); ++d) f.amounts[d] = ShownAbove0(s.m_dBeachingAmount[d]);
    f.unit = std::clamp(s.m_iBeachingUnits, 0, 4);
    return f;
}

CheckResult BeachingRules::Ok(const BeachingForm& form) {
    for (const std::string& a : form.amounts)
        if (!IsBlank(a) && platform::LeadingDecimal(a) < 0) return CheckResult::Refuse(kBeachedNegativeText);
    document::Scenario& s = doc_.scenario;
    for (std::size_t d = 0; d < form.amounts.size(); ++d)
        s.m_dBeachingAmount[d] = IsBlank(form.amounts[d]) ? model::MISSING_VALUE_D : platform::LeadingDecimal(form.amounts[d]);
    s.m_iBeachingUnits = form.unit;
    return {};
}

}  // namespace ui
