// The behaviour of a property sheet whose pages check what was typed: a page
// that refuses cannot be left, OK checks the page in view and then applies
// every page that was shown, Cancel writes nothing further. Toolkit-free, so
// a whole sheet runs in tests; the wx sheet forwards its events here.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/Messages.h"
#include "ui/common/rules/CheckResult.h"

namespace ui {

// One page as the sheet sees it. A view page moves its controls to its form
// and calls its rules; a test page records the calls.
class ISheetPage {
public:
    virtual ~ISheetPage() = default;
    // The page is shown for the first time: fill it from the document.
    virtual void Load() = 0;
    // The page is about to be left (another page, or OK).
    virtual CheckResult Leave() = 0;
    // OK was accepted: write the page into the document.
    virtual void Apply() = 0;
};

class SheetFlow {
public:
    // pages are not owned and must outlive the flow.
    SheetFlow(std::vector<ISheetPage*> pages, platform::IMessages& messages);

    // The sheet opens on page first (loaded).
    void Start(std::size_t first);
    // The user asks to go from the current page to page to: the current
    // page's Leave is shown; false (the change vetoed) on a refusal.
    bool RequestChange(std::size_t to);
    // The change happened (the toolkit may change pages by itself, e.g.
    // without a veto step): page to becomes current and is loaded on its
    // first visit.
    void Changed(std::size_t to);
    // OK: the current page's Leave; on a refusal false and nothing applied,
    // else Apply of every visited page in page order, and true.
    bool Ok();

    std::size_t Current() const { return current_; }
    bool Visited(std::size_t page) const { return page < visited_.size() && visited_[page]; }

private:
    std::vector<ISheetPage*> pages_;
    std::vector<bool> visited_;
    platform::IMessages& messages_;
    std::size_t current_ = 0;
};

}  // namespace ui
