// The release uncertainty dialog without its window: an optional
// uncertainty of the total amount spilled, in percent.
#pragma once

#include <string>

#include "document/SpillDoc.h"
#include "ui/common/rules/CheckResult.h"

namespace ui {

inline constexpr const char* kReleaseUncertaintyCaption = "Release Uncertainty";
inline constexpr const char* kReleaseUncertaintyGroup = "Optional";
inline constexpr const char* kReleaseUncertaintyPrompt =
    "You may provide an uncertainty for the total amount of oil spilled over the course of the spill scenario. "
    "Otherwise, leave this field blank. Uncertainty will increase calculation time.";
inline constexpr const char* kReleaseUncertaintyLabel = "Amount of Oil Uncertainty \u00B1";
inline constexpr const char* kReleaseUncertaintyUnit = "% of the total spilled";
inline constexpr const char* kReleaseUncertaintyNote =
    "Note: The budget table and budget graph may be unreliable when using the uncertainty option.";
inline constexpr const char* kUncertaintyTooLargeText =
    "Sorry, but the uncertainty cannot exceed 100% of the total amount spilled.";

struct ReleaseUncertaintyForm {
    std::string percent;

    friend bool operator==(const ReleaseUncertaintyForm&, const ReleaseUncertaintyForm&) = default;
};

class ReleaseUncertaintyRules {
public:
    explicit ReleaseUncertaintyRules(document::SpillDocCore& doc) : doc_(doc) {}

    // The uncertainty when one is given, else an empty field.
    ReleaseUncertaintyForm Load() const;
    // At most 100 percent.
    CheckResult Check(const ReleaseUncertaintyForm& form) const;
    // OK: the check, then the field read as a number. An empty field or a
    // value of 0 or less switches the uncertainty off.
    CheckResult Ok(const ReleaseUncertaintyForm& form);

private:
    document::SpillDocCore& doc_;
};

}  // namespace ui
