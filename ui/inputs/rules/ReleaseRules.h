// The Release dialog without its window: which kinds of release the
// scenario has (instantaneous, continuous and leaking tank combine; a
// contained release excludes the other three), the set-up dialog of each,
// the release uncertainty, the descriptions, and OK, which makes the
// earliest release the spill time, gives each release its start hour and
// checks the releases against the winds and the model's 120 hours.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "document/SpillDoc.h"
#include "ui/common/rules/CheckResult.h"

namespace ui {

enum class ReleaseKind { Instantaneous, Continuous, Tank, Contained };
inline constexpr std::array<ReleaseKind, 4> kReleaseKinds{ReleaseKind::Instantaneous, ReleaseKind::Continuous,
                                                          ReleaseKind::Tank, ReleaseKind::Contained};

inline constexpr const char* kReleaseCaption = "Release";
inline constexpr const char* kReleasePrompt =
    "Check each release type that you would like to include in the spill scenario. You may check more than one "
    "unless you are using the contained release.";
inline constexpr const char* kTankSetupMissingTip = "The leaking-tank set-up is not available yet.";
inline constexpr const char* kSelectReleaseText =
    "Please select a release type. TAVRO cannot build a scenario without this information.";

// The dialogs the Release dialog opens. Run and RunUncertainty show the
// dialog modally and return true when it ended with OK (it has then
// written the scenario).
class IReleaseSetup {
public:
    virtual ~IReleaseSetup() = default;
    virtual bool Run(ReleaseKind kind, document::SpillDocCore& doc) = 0;
    // False for a kind whose set-up is not there (its Setup is disabled).
    virtual bool Available(ReleaseKind kind) const = 0;
    virtual bool RunUncertainty(document::SpillDocCore& doc) = 0;
};

class ReleaseRules {
public:
    ReleaseRules(document::SpillDocCore& doc, IReleaseSetup& setup);

    // The dialog opens: the scenario is kept for Cancel and the boxes follow
    // the records' flags.
    void Load();

    bool Checked(ReleaseKind kind) const { return checked_[Index(kind)]; }
    bool SetupEnabled(ReleaseKind kind) const { return setup_.Available(kind); }
    // The text under a kind's box.
    std::string Description(ReleaseKind kind) const;

    // A click on a kind's box: a release already set is cleared; otherwise
    // its set-up runs (nothing for a kind without one).
    void BoxClicked(ReleaseKind kind);
    // Setup... of a kind; its box is checked when the set-up ends with OK.
    void Setup(ReleaseKind kind);
    void Uncertainty() { setup_.RunUncertainty(doc_); }

    // OK: flags, the year turn of a December/January mix, the spill time,
    // start hours, then the checks against the winds and the 120 hours. On
    // a pass the release's change flag is raised; a refusal keeps the
    // dialog open.
    CheckResult Ok();
    // Cancel: the scenario as it was when the dialog opened.
    void Cancel();

private:
    static std::size_t Index(ReleaseKind kind) { return static_cast<std::size_t>(kind); }
    // The scenario's fields of a kind: its record's flag and start hour, and
    // its release time.
    struct Record {
        int& flag;
        int& startHour;
        document::Time& time;
    };
    Record RecordOf(ReleaseKind kind);
    void MoveJanuaryReleases();
    std::optional<std::string> WindProblem() const;
    std::optional<std::string> HorizonProblem() const;

    document::SpillDocCore& doc_;
    IReleaseSetup& setup_;
    std::array<bool, 4> checked_{};
    std::optional<document::Scenario> opened_;
};

}  // namespace ui
