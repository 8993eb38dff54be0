// Modal messages of the program, behind an interface so that the model and
// the document can report without a toolkit, and tests can record them.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr const char* kAppTitle = "TAVRO2";

enum class MsgIcon { None, Stop, Exclamation, Information, Question };
enum class MsgButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

class IMessages {
public:
    virtual ~IMessages() = default;
    // Shows text in a modal box titled "TAVRO2"; returns the button pressed.
    virtual MsgResult Show(std::string_view text, MsgIcon icon = MsgIcon::None,
                           MsgButtons buttons = MsgButtons::Ok) = 0;
};

// Swallows every message (OK for OK boxes, Yes/OK for questions).
class NullMessages final : public IMessages {
public:
    MsgResult Show(std::string_view, MsgIcon, MsgButtons buttons) override;
};

// Records what was shown; answers with a queue of results, then with the
// first button of the box.
class RecordingMessages final : public IMessages {
public:
    struct Entry {
        std::string text;
        MsgIcon icon;
        MsgButtons buttons;
    };
    MsgResult Show(std::string_view text, MsgIcon icon, MsgButtons buttons) override;

    void QueueAnswer(MsgResult r) { answers_.push_back(r); }
    const std::vector<Entry>& Entries() const { return entries_; }
    std::vector<std::string> Texts() const;
    bool Contains(std::string_view text) const;
    void Clear() { entries_.clear(); answers_.clear(); }

private:
    std::vector<Entry> entries_;
    std::vector<MsgResult> answers_;
};

// Shows each distinct text only once between two calls of Begin(): a message
// raised inside an hour or step loop pops up once per solve, not per step.
class OnceMessages {
public:
    explicit OnceMessages(IMessages* target = nullptr) : target_(target) {}
    void SetTarget(IMessages* target) { target_ = target; }
    IMessages* Target() const { return target_; }
    void Begin() { shown_.clear(); }
    // Always shown (dialog-style messages outside loops).
    MsgResult Show(std::string_view text, MsgIcon icon = MsgIcon::None,
                   MsgButtons buttons = MsgButtons::Ok);
    // Shown once until the next Begin().
    void ShowOnce(std::string_view text, MsgIcon icon = MsgIcon::None);

private:
    IMessages* target_;
    std::set<std::string, std::less<>> shown_;
};

// The process-wide default sink used where nothing was injected (the GUI
// installs its message-box implementation at start-up).
IMessages& DefaultMessages();
void SetDefaultMessages(IMessages* sink);

}  // namespace platform
