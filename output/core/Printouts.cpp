#include "output/core/Printouts.h"

#include <string_view>

#include "document/OutputWindows.h"
#include "document/SpillDoc.h"
#include "output/core/GraphViewModel.h"
#include "output/core/PrintSpillInformation.h"

namespace output {

using platform::Canvas;

namespace {

constexpr int kTableFontPoints = 10;
constexpr int kTableLeftExtra = 10;
// A tab stop every 20 screen pixels, the same distance on paper.
constexpr int kTabPx = 20;
constexpr int kScreenPpi = 96;

// Black text on the paper, no text boxes.
void StartJob(Canvas& canvas) {
    canvas.setTextColour({0, 0, 0});
    canvas.setTextBackground({255, 255, 255}, false);
}

void NewPage(Canvas& canvas) {
    canvas.endPage();
    canvas.startPage();
}

// The lines of the texts one under the other from the table's origin,
// page after page.
void PrintTableText(Canvas& canvas, const CPrintSpillInformation& layout, const char* title,
                    std::initializer_list<std::string_view> texts) {
    const int left = canvas.ppiX() + kTableLeftExtra;
    const int top = canvas.ppiY() * 8 / 10;
    const int bottom = canvas.deviceSize().cy - canvas.ppiY();
    canvas.setFont({platform::Face::Mono, platform::fontPx(kTableFontPoints, canvas.ppiY()), 400, true});
    const int lineHeight = canvas.textMetrics().height;
    const int tabPx = kTabPx * canvas.ppiX() / kScreenPpi;
    int y = top;
    for (std::string_view text : texts) {
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t nl = text.find('\n', start);
            const std::size_t end = nl == std::string_view::npos ? text.size() : nl;
            if (y > top && y + lineHeight > bottom) {
                layout.PrintFooter(canvas);
                NewPage(canvas);
                layout.PrintHeader(canvas, title);
                y = top;
            }
            y += platform::drawTabbedLine(canvas, {left, y}, text.substr(start, end - start), tabPx, 0).cy;
            start = end + 1;
        }
    }
}

void PrintTable(Canvas& canvas, const document::SpillDocCore& doc, const char* title, bool hasResults,
                std::string_view header, std::string_view table) {
    const CPrintSpillInformation layout(doc.Clock());
    StartJob(canvas);
    layout.PrintHeader(canvas, title);
    if (hasResults) {
        PrintTableText(canvas, layout, title, {header, table});
    } else {
        const platform::Size page = canvas.deviceSize();
        canvas.setFont({platform::Face::Mono, platform::fontPx(kTableFontPoints, canvas.ppiY()), 400, true});
        canvas.textInRect({0, 0, page.cx, page.cy}, kNotAvailable, platform::HAlign::Centre, true);
    }
    layout.PrintFooter(canvas);
}

}  // namespace

std::vector<ScenarioPage> ScenarioPages(const document::SessionState& session) {
    std::vector<ScenarioPage> pages{ScenarioPage{}};
    for (int g = 0; g < document::kGraphCount; ++g)
        if (session.m_bGraphOpen[g]) pages.push_back({document::GraphKind(g)});
    return pages;
}

void PrintScenario(Canvas& canvas, document::SpillDocCore& doc) {
    const CPrintSpillInformation layout(doc.Clock());
    const platform::Size page = canvas.deviceSize();
    StartJob(canvas);
    bool first = true;
    for (const ScenarioPage& part : ScenarioPages(doc.session)) {
        if (!first) NewPage(canvas);
        first = false;
        if (part.graph) {
            canvas.save();
            DrawGraphOutput(*part.graph, doc, canvas, {0, 0, page.cx, page.cy});
            canvas.restore();
            layout.PrintHeader(canvas, kScenarioPrintTitle);
        } else {
            layout.PrintHeader(canvas, kScenarioPrintTitle);
            layout.PrintInformation(canvas, doc);
        }
        layout.PrintFooter(canvas);
    }
}

void PrintBudgetTable(Canvas& canvas, const document::SpillDocCore& doc, const BudgetChoices& choices) {
    const BudgetTableText text = BudgetTableText::FromDocument(doc, choices);
    PrintTable(canvas, doc, kBudgetPrintTitle, text.HasResults(), text.Header(), text.Table());
}

void PrintIcsTable(Canvas& canvas, const document::SpillDocCore& doc, const IcsChoices& choices) {
    const IcsTableText text = IcsTableText::FromDocument(doc, choices);
    PrintTable(canvas, doc, kIcsPrintTitle, text.HasResults(), text.Header(), text.Table());
}

}  // namespace output
