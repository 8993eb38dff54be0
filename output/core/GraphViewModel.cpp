#include "output/core/GraphViewModel.h"

#include <algorithm>
#include <memory>

#include "document/SpillDoc.h"
#include "model/Series.h"
#include "model/UnitConversion.h"
#include "output/core/DrawGraph.h"
#include "output/core/DrawGraphBudget.h"

namespace output {

using document::OutputKind;

namespace {

const char* BenzeneLabel(int index) { return index == 0 ? "ppm" : ""; }

const std::vector<GraphViewRow> kViews = {
    {OutputKind::Density, document::GraphDensity, "CDensityGraph", "Density", model::OUTPUT_DENSITY,
     GraphEngine::Linear, model::DensityUnitLabel, 195, 32809, 202, false},
    {OutputKind::Viscosity, document::GraphViscosity, "CViscosityGraph", "Viscosity", model::OUTPUT_VISCOSITY,
     GraphEngine::Log, model::ViscosityUnitLabel, 197, 32817, 203, false},
    {OutputKind::Water, document::GraphWater, "CWaterGraph", "Water", model::OUTPUT_WATER_CONTENT,
     GraphEngine::Linear, model::WaterContentUnitLabel, 196, 32813, 204, false},
    {OutputKind::Benzene, document::GraphBenzene, "CBenzeneGraph", "Benzene", model::OUTPUT_BENZENE,
     GraphEngine::Log, BenzeneLabel, 198, 32819, 205, true},
    {OutputKind::Budget, document::GraphBudget, "CBudgetGraph", "Oil Budget", -1, GraphEngine::Budget,
     model::AmountUnitLabel, 199, 32827, 277, false},
    {OutputKind::Evaporation, document::GraphEvaporation, "CEvaporationGraph", "Evaporation",
     model::OUTPUT_EVAPORATED, GraphEngine::Linear, model::AmountUnitLabel, 199, 32827, 278, false},
    {OutputKind::Disperse, document::GraphDisperse, "CDisperseGraph", "Disperse", model::OUTPUT_DISPERSED,
     GraphEngine::Linear, model::AmountUnitLabel, 199, 32827, 279, false},
    {OutputKind::Remain, document::GraphRemain, "CRemainGraph", "Remain", model::OUTPUT_REMAINING,
     GraphEngine::Linear, model::AmountUnitLabel, 199, 32827, 280, false},
    {OutputKind::Burn, document::GraphBurn, "CBurnGraph", "Burn", model::OUTPUT_BURNED, GraphEngine::Linear,
     model::AmountUnitLabel, 199, 32827, 281, false},
    {OutputKind::Skim, document::GraphSkim, "CSkimGraph", "Skim", model::OUTPUT_SKIMMED, GraphEngine::Linear,
     model::AmountUnitLabel, 199, 32827, 282, false},
    {OutputKind::Beach, document::GraphBeach, "CBeachGraph", "Beach", model::OUTPUT_BEACHED, GraphEngine::Linear,
     model::AmountUnitLabel, 199, 32827, 283, false},
};

struct Menu {
    int id;
    std::vector<GraphMenuItem> items;
};
const std::vector<Menu> kMenus = {
    {195, {{"g/cc", 32810}, {"kg/cu m", 32808}, {"", 0}, {"Help", 32809}}},
    {196, {{"percent", 32811}, {"fraction", 32812}, {"", 0}, {"Help", 32813}}},
    {197, {{"cSt", 32814}, {"cP", 32815}, {"SUS", 32816}, {"", 0}, {"Help", 32817}}},
    {198, {{"ppm", 32818}, {"", 0}, {"Help", 32819}}},
    {199,
     {{"percent", 32820},
      {"fraction", 32821},
      {"", 0},
      {"bbl", 32822},
      {"gal", 32823},
      {"cu m", 32824},
      {"tons", 32825},
      {"metric tons", 32826},
      {"", 0},
      {"Help", 32827}}},
};

struct CommandUnit {
    int command;
    int index;
};
constexpr CommandUnit kCommandUnits[] = {
    {32808, 1}, {32810, 2},                                                            // density
    {32812, 0}, {32811, 1},                                                            // water
    {32814, 0}, {32815, 1}, {32816, 2},                                                // viscosity
    {32818, 0},                                                                        // benzene
    {32824, 0}, {32821, 1}, {32820, 2}, {32822, 3}, {32823, 4}, {32825, 5}, {32826, 6},  // amounts
};

const char* const kLinesSecondText =
    "The solid line shows the average value and the gray area shows the expected range in values throughout the "
    "slick.";
const char* const kAmountSecondText =
    "The solid line shows the best estimate. If you have entered uncertainty, the graph may also show a gray area "
    "which represents the range of possible values.";

const std::vector<GraphHelpPage> kHelp = {
    {202,
     "Oil Density Graph",
     {"This graph shows the change in oil/emulsion density as the slick weathers. TAVRO will normally predict for "
      "five days unless there is insufficient wind data.",
      kLinesSecondText,
      "In general, density changes for weathered oil are small and the oil, if initially buoyant, will remain "
      "buoyant. The TAVRO weathering algorithms will not cause a floating oil to become more dense than the "
      "surrounding water."}},
    {203,
     "Oil Viscosity Graph",
     {"This graph shows the change in oil/emulsion viscosity as the slick weathers. TAVRO will normally predict for "
      "five days unless there is insufficient wind data.",
      kLinesSecondText,
      "There can be large changes in viscosity as the slick weathers, particularly if the oil emulsifies. "
      "Therefore, the TAVRO viscosity predictions are plotted using a logarithmic vertical scale."}},
    {204,
     "Water Graph Content",
     {"This graph shows the water percent or fraction of the emulsified oil. TAVRO will normally predict for five "
      "days unless there is insufficient wind data.",
      "The solid line shows the average value and the gray area shows the expected range in values throughout the "
      "slick. Most refined products will not emulsify."}},
    {205,
     "Airborne Benzene Concentration Graph",
     {"This graph shows the airborne benzene concentration at one meter elevation  above the downwind edge of the "
      "slick. TAVRO will normally predict for five days unless there is insufficient wind data.",
      kLinesSecondText,
      "Benzene levels fall rapidly and change significantly for most spills so the predicted benzene levels are "
      "often noisy and fluctuating. They are plotted using a logarithmic vertical scale."}},
    {277,
     "Oil Budget Graph",
     {"This graph plots, over time, the amounts of oil removed from the slick and the amount still remaining on the "
      "water surface. You can change from relative to absolute quantities by changing the units of the graph."}},
    {278,
     "Oil Evaporated Graph",
     {"This graph shows the amount of oil lost due to evaporation. TAVRO will normally predict for five days unless "
      "there is insufficient wind data.",
      kAmountSecondText}},
    {279,
     "Oil Dispersed Graph",
     {"This graph shows the amount of oil lost due to dispersion of oil droplets from the slick into the water "
      "column. TAVRO will normally predict for five days unless there is insufficient wind data.",
      kAmountSecondText}},
    {280,
     "Oil Remaining Graph",
     {"This graph shows the amount of oil remaining over the course of the spill scenario. TAVRO will normally "
      "predict for five days unless there is insufficient wind data.",
      kAmountSecondText}},
    {281, "Oil Burned Graph", {"This graph shows the amount of oil consumed based on the sum of the in-situ burn scenarios."}},
    {282,
     "Oil Skimmed Graph",
     {"This graph shows the amount of oil recovered based on the sum of the mechanical cleanup scenarios."}},
    {283,
     "Oil Beached Graph",
     {"This graph shows the amount of floating oil which has beached. This information is supplied by the user.",
      "NOTE: TAVRO is designed for open water spills. If a significant fraction of the oil is beaching, the model "
      "predictions may not be reliable."}},
};

}  // namespace

const std::vector<GraphViewRow>& GraphViews() { return kViews; }

const GraphViewRow* FindGraphView(OutputKind kind) {
    for (const GraphViewRow& v : kViews)
        if (v.kind == kind) return &v;
    return nullptr;
}

const std::vector<GraphMenuItem>& GraphMenu(int menuId) {
    static const std::vector<GraphMenuItem> kNone;
    for (const Menu& m : kMenus)
        if (m.id == menuId) return m.items;
    return kNone;
}

const GraphHelpPage* FindGraphHelp(int templateId) {
    for (const GraphHelpPage& h : kHelp)
        if (h.templateId == templateId) return &h;
    return nullptr;
}

const std::vector<int>& GraphMenuCommands() {
    static const std::vector<int> kCommands = [] {
        std::vector<int> all;
        for (const Menu& m : kMenus)
            for (const GraphMenuItem& item : m.items)
                if (item.command != 0) all.push_back(item.command);
        std::sort(all.begin(), all.end());
        all.erase(std::unique(all.begin(), all.end()), all.end());
        return all;
    }();
    return kCommands;
}

std::optional<int> UnitOfCommand(int command) {
    for (const CommandUnit& cu : kCommandUnits)
        if (cu.command == command) return cu.index;
    return std::nullopt;
}

GraphViewModel::GraphViewModel(OutputKind kind, document::SpillDocCore& doc) : row_(FindGraphView(kind)), doc_(doc) {
    if (!row_) row_ = &kViews.front();
}

int GraphViewModel::UnitIndex() const {
    if (row_->fixedUnit) return 0;
    return doc_.session.m_iGraphUnits[row_->window];
}

std::string GraphViewModel::LabelOf(int index) const { return row_->unitLabel(index); }

std::string GraphViewModel::UnitLabel() const { return LabelOf(UnitIndex()); }

GraphViewModel::CommandResult GraphViewModel::OnCommand(int command) {
    if (command == row_->helpCommand) return CommandResult::Help;
    bool inMenu = false;
    for (const GraphMenuItem& item : Menu())
        if (item.command == command) inMenu = true;
    const std::optional<int> unit = UnitOfCommand(command);
    if (!inMenu || !unit) return CommandResult::None;
    if (*unit == UnitIndex()) return CommandResult::None;
    doc_.session.m_iGraphUnits[row_->window] = *unit;
    return CommandResult::Repaint;
}

std::optional<platform::Point> GraphViewModel::MenuPoint(std::optional<platform::Point> pointer,
                                                         const platform::Rect& clientOnScreen) {
    if (!pointer) return platform::Point{(clientOnScreen.left + clientOnScreen.right) / 2,
                                         (clientOnScreen.top + clientOnScreen.bottom) / 2};
    if (!clientOnScreen.contains(*pointer)) return std::nullopt;
    return pointer;
}

namespace {

template <typename Record>
void FillHead(Record& record, const std::string& label) {
    model::CopySeriesLabel(record.units, label.c_str());
}

}  // namespace

std::string GraphViewModel::Title() const {
    const int unit = UnitIndex();
    if (row_->engine == GraphEngine::Budget) {
        auto rec = std::make_unique<model::SBudgetData>();
        FillHead(*rec, UnitLabel());
        doc_.Model().GetBudgetSeries(*rec, unit);
        return GraphTitle(*rec);
    }
    auto rec = std::make_unique<model::SGraphData>();
    FillHead(*rec, UnitLabel());
    doc_.Model().GetGraphSeries(*rec, row_->seriesKind, unit);
    return GraphTitle(*rec);
}

void GraphViewModel::Draw(platform::Canvas& canvas, const platform::Rect& rect) const {
    const GraphContext ctx = GraphContext::FromDocument(doc_);
    const int unit = UnitIndex();
    if (row_->engine == GraphEngine::Budget) {
        auto rec = std::make_unique<model::SBudgetData>();
        FillHead(*rec, UnitLabel());
        doc_.Model().GetBudgetSeries(*rec, unit);
        CDrawGraphBudget(canvas, *rec, ctx, rect).Draw();
        return;
    }
    auto rec = std::make_unique<model::SGraphData>();
    FillHead(*rec, UnitLabel());
    doc_.Model().GetGraphSeries(*rec, row_->seriesKind, unit);
    if (row_->engine == GraphEngine::Log)
        CDrawGraphLog(canvas, *rec, ctx, rect, row_->fixedUnit).Draw();
    else
        CDrawGraph(canvas, *rec, ctx, rect).Draw();
}

void DrawGraphOutput(OutputKind kind, document::SpillDocCore& doc, platform::Canvas& canvas,
                     const platform::Rect& rect) {
    if (!FindGraphView(kind)) return;
    GraphViewModel(kind, doc).Draw(canvas, rect);
}

}  // namespace output
