#include "ui/inputs/rules/ReleaseUncertaintyRules.h"

#include <optional>

#include "platform/NumText.h"

namespace ui {

ReleaseUncertaintyForm ReleaseUncertaintyRules::Load() const {
    const double vol = doc_.scenario.uncertainty.vol;
    return {vol > 0 ? platform::FormatG15(vol) : std::string()};
}

CheckResult ReleaseUncertaintyRules::Check(const ReleaseUncertaintyForm& form) const {
    if (platform::LeadingDecimal(form.percent) > 100)
        return CheckResult::Refuse(std::string(kHeaderProblem) + kUncertaintyTooLargeText);
    return {};
}

CheckResult ReleaseUncertaintyRules::Ok(const ReleaseUncertaintyForm& form) {
    if (CheckResult r = Check(form); !r.ok()) return r;
    model::InputUncertainty& u = doc_.scenario.uncertainty;
    if (form.percent.empty()) {
        u.volFlag = 0;
        u.vol = model::MISSING_VALUE_D;
        return {};
    }
    const std::optional<double> percent = platform::ReadNumber(form.percent);
    if (!percent) return CheckResult::Refuse(platform::kEnterNumberText);
    u.volFlag = *percent > 0 ? 1 : 0;
    u.vol = *percent > 0 ? *percent : model::MISSING_VALUE_D;
    return {};
}

}  // namespace ui
