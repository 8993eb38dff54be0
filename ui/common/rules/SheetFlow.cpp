#include "ui/common/rules/SheetFlow.h"

namespace ui {

SheetFlow::SheetFlow(std::vector<ISheetPage*> pages, platform::IMessages& messages)
    : pages_(std::move(pages)), visited_(pages_.size(), false), messages_(messages) {}

void SheetFlow::Start(std::size_t first) {
    if (pages_.empty()) return;
    current_ = first < pages_.size() ? first : 0;
    Changed(current_);
}

bool SheetFlow::RequestChange(std::size_t to) {
    if (pages_.empty() || to == current_) return true;
    return ShowCheck(pages_[current_]->Leave(), messages_);
}

void SheetFlow::Changed(std::size_t to) {
    if (to >= pages_.size()) return;
    current_ = to;
    if (!visited_[to]) {
        visited_[to] = true;
        pages_[to]->Load();
    }
}

bool SheetFlow::Ok() {
    if (pages_.empty()) return true;
    if (!ShowCheck(pages_[current_]->Leave(), messages_)) return false;
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (visited_[i]) pages_[i]->Apply();
    return true;
}

}  // namespace ui
