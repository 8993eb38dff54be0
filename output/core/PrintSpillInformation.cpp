#include "output/core/PrintSpillInformation.h"

#include "document/ScenarioSummary.h"
#include "document/SpillDoc.h"
#include "platform/TimeText.h"

namespace output {

using platform::Canvas;
using platform::Font;
using platform::HAlign;
using platform::VAlign;

namespace {

Font ArialFont(int points, int weight, int ppiY) {
    return Font{platform::Face::Arial, platform::fontPx(points, ppiY), weight, false};
}

constexpr const char* kLevel0Bullet = "\xE2\x80\xA2 ";  // "• "
constexpr const char* kLevel1Bullet = "\xC2\xB7 ";      // "· "

// The summary's running state: where the next line goes, page by page.
class SummaryWriter {
public:
    SummaryWriter(Canvas& canvas, const CPrintSpillInformation& layout)
        : canvas_(canvas),
          layout_(layout),
          left_(canvas.ppiX()),
          indent_(canvas.ppiX() / 3),
          top_(canvas.ppiY()),
          bottom_(canvas.deviceSize().cy - canvas.ppiY()),
          baseline_(top_),
          body_(PrintBodyFont(canvas.ppiY())),
          heading_(PrintHeadingFont(canvas.ppiY())) {
        canvas_.setFont(body_);
    }

    void Heading(int level, const std::string& text) {
        BreakIfDue();
        canvas_.save();
        canvas_.setFont(heading_);
        const char* bullet = level == 0 ? kLevel0Bullet : kLevel1Bullet;
        const int x = left_ + level * indent_;
        canvas_.text({x, baseline_}, bullet, HAlign::Left, VAlign::Baseline);
        const int after = canvas_.textExtent(bullet).cx;
        canvas_.text({x + after, baseline_}, text, HAlign::Left, VAlign::Baseline);
        canvas_.restore();
        NextLine();
    }

    void Body(int depth, const std::string& text) {
        BreakIfDue();
        canvas_.text({left_ + depth * indent_, baseline_}, text, HAlign::Left, VAlign::Baseline);
        NextLine();
    }

private:
    // Down by one and a half body lines, whatever was printed.
    void NextLine() { baseline_ += canvas_.textMetrics().height * 3 / 2; }

    // The page ends once the baseline has passed one inch above the bottom,
    // and only when another line follows (no page of a header alone).
    void BreakIfDue() {
        if (baseline_ <= bottom_) return;
        layout_.PrintFooter(canvas_);
        canvas_.endPage();
        canvas_.startPage();
        layout_.PrintHeader(canvas_, kScenarioPrintTitle);
        baseline_ = top_;
    }

    Canvas& canvas_;
    const CPrintSpillInformation& layout_;
    int left_, indent_, top_, bottom_, baseline_;
    Font body_, heading_;
};

}  // namespace

Font PrintTitleFont(int ppiY) { return ArialFont(12, 700, ppiY); }
Font PrintBannerFont(int ppiY) { return ArialFont(9, 400, ppiY); }
Font PrintBodyFont(int ppiY) { return ArialFont(10, 400, ppiY); }
Font PrintHeadingFont(int ppiY) { return ArialFont(11, 700, ppiY); }

void CPrintSpillInformation::PrintHeader(Canvas& canvas, std::string_view title) const {
    const int ppiX = canvas.ppiX(), ppiY = canvas.ppiY();
    const int width = canvas.deviceSize().cx;
    const int logoWidth = ppiX * 2 / 5, logoHeight = ppiY * 2 / 5;
    const int baseline = ppiY / 2;
    canvas.save();
    canvas.setFont(PrintTitleFont(ppiY));
    canvas.text({ppiX, baseline}, title, HAlign::Left, VAlign::Baseline);
    canvas.setFont(PrintBannerFont(ppiY));
    const int bannerEnd = width - ppiX - logoWidth;
    canvas.text({bannerEnd, baseline}, kPrintBanner, HAlign::Right, VAlign::Baseline);
    const int logoLeft = bannerEnd + logoWidth / 5;
    const int logoTop = baseline - logoHeight;
    canvas.image(kLogoPicture, {logoLeft, logoTop, logoLeft + logoWidth, logoTop + logoHeight});
    canvas.restore();
}

void CPrintSpillInformation::PrintFooter(Canvas& canvas) const {
    const platform::Size page = canvas.deviceSize();
    const std::string date = platform::FormatTime(clock_.Local(clock_.Now()), kFooterDateFormat);
    canvas.save();
    canvas.setFont(PrintBannerFont(canvas.ppiY()));
    canvas.text({page.cx / 2, page.cy - canvas.ppiY() / 2}, date, HAlign::Centre, VAlign::Baseline);
    canvas.restore();
}

void CPrintSpillInformation::PrintInformation(Canvas& canvas, const document::SpillDocCore& doc) const {
    SummaryWriter writer(canvas, *this);
    for (const document::SummaryLine& line : document::PrintSummary(doc)) {
        if (line.style == document::SummaryStyle::Plain)
            writer.Body(line.depth, line.text);
        else
            writer.Heading(line.depth, line.text);
    }
}

}  // namespace output
