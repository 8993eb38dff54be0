// What a dialog's check says when OK, Next or leaving a page is pressed:
// a refusal keeps the dialog (or page) where it is, warnings are shown and
// the dialog goes on.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Messages.h"

namespace ui {

// The headers a refusal's text begins with (some dialogs use none).
inline constexpr const char* kHeaderProblem = "Problem with the Input\n\n";
inline constexpr const char* kHeaderProblemDot = "Problem with the Input.\n\n";
inline constexpr const char* kHeaderMissing = "Missing Important Information.\n\n";

struct Refusal {
    std::string text;
    platform::MsgIcon icon = platform::MsgIcon::Stop;

    friend bool operator==(const Refusal&, const Refusal&) = default;
};

struct CheckResult {
    std::optional<Refusal> refusal;
    std::vector<Refusal> warnings;

    bool ok() const { return !refusal; }

    static CheckResult Refuse(std::string text, platform::MsgIcon icon = platform::MsgIcon::Stop) {
        CheckResult r;
        r.refusal = Refusal{std::move(text), icon};
        return r;
    }
};

// Shows the warnings, then the refusal, each in its own box; true when the
// check passed.
inline bool ShowCheck(const CheckResult& result, platform::IMessages& messages) {
    for (const Refusal& w : result.warnings) messages.Show(w.text, w.icon, platform::MsgButtons::Ok);
    if (result.refusal) messages.Show(result.refusal->text, result.refusal->icon, platform::MsgButtons::Ok);
    return result.ok();
}

}  // namespace ui
