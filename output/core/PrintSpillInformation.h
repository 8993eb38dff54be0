// The layout every printout shares: the page header (a title, the product
// banner and the logo), the page footer (today's date) and the scenario
// summary, a bulleted list of every entered input that continues on new
// pages. Draws on any canvas at its resolution; one inch of margin.
#pragma once

#include <string_view>

#include "platform/Canvas.h"
#include "platform/Clock.h"

namespace document {
class SpillDocCore;
}

namespace output {

inline constexpr const char* kScenarioPrintTitle = "Spill Scenario";
// "TAVRO", the registered sign, two blanks and the version.
inline constexpr const char* kPrintBanner = "TAVRO\xC2\xAE  2.0";
inline constexpr const char* kLogoPicture = "logo";
inline constexpr const char* kFooterDateFormat = "%B %d, %Y";

// The fonts of the layout at a vertical resolution (all Arial).
platform::Font PrintTitleFont(int ppiY);    // 12 pt bold
platform::Font PrintBannerFont(int ppiY);   // 9 pt: banner and footer
platform::Font PrintBodyFont(int ppiY);     // 10 pt
platform::Font PrintHeadingFont(int ppiY);  // 11 pt bold

class CPrintSpillInformation {
public:
    // clock: today's date of the footer.
    explicit CPrintSpillInformation(const platform::IClock& clock) : clock_(clock) {}

    // The title at one inch from the left on a baseline half an inch down,
    // the banner right-aligned before the logo at the right margin. Leaves
    // the canvas state as it found it.
    void PrintHeader(platform::Canvas& canvas, std::string_view title) const;
    // Today's date centred half an inch above the bottom of the page.
    void PrintFooter(platform::Canvas& canvas) const;
    // The summary of the document's inputs from one inch down on the
    // current page, in the body font (left set on the canvas afterwards). A
    // line that would sit lower than one inch above the bottom starts a new
    // page: footer, new page, header "Spill Scenario", back to one inch.
    void PrintInformation(platform::Canvas& canvas, const document::SpillDocCore& doc) const;

private:
    const platform::IClock& clock_;
};

}  // namespace output
