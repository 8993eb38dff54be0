#include "platform/Messages.h"

#include <algorithm>

namespace platform {

namespace {

// The first button of the box: what a user who just confirms presses.
MsgResult FirstButton(MsgButtons buttons) {
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes : MsgResult::Ok;
}

}  // namespace

MsgResult NullMessages::Show(std::string_view, MsgIcon, MsgButtons buttons) { return FirstButton(buttons); }

MsgResult RecordingMessages::Show(std::string_view text, MsgIcon icon, MsgButtons buttons) {
    entries_.push_back({std::string(text), icon, buttons});
    if (!answers_.empty()) {
        MsgResult r = answers_.front();
        answers_.erase(answers_.begin());
        return r;
    }
    return FirstButton(buttons);
}

std::vector<std::string> RecordingMessages::Texts() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_) out.push_back(e.text);
    return out;
}

bool RecordingMessages::Contains(std::string_view text) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.text == text; });
}

MsgResult OnceMessages::Show(std::string_view text, MsgIcon icon, MsgButtons buttons) {
    IMessages& sink = target_ ? *target_ : DefaultMessages();
    return sink.Show(text, icon, buttons);
}

void OnceMessages::ShowOnce(std::string_view text, MsgIcon icon) {
    if (shown_.find(text) != shown_.end()) return;
    shown_.emplace(text);
    Show(text, icon, MsgButtons::Ok);
}

namespace {
NullMessages g_null;
IMessages* g_default = &g_null;
}  // namespace

IMessages& DefaultMessages() { return *g_default; }
void SetDefaultMessages(IMessages* sink) { g_default = sink ? sink : &g_null; }

}  // namespace platform
