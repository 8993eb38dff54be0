#include "document/ScenarioTree.h"

#include <algorithm>
#include <atomic>

#include "document/SpillDoc.h"

namespace document {

namespace {

// Revisions are unique over every model of the process, so a mirror can
// tell one document's section from another's.
std::atomic<std::uint64_t> g_nextRevision{0};
std::uint64_t NextRevision() { return ++g_nextRevision; }

// Builds the item of a section from its lines (the first is the section).
TreeItem ItemFromLines(const char* name, const SummaryLines& lines) {
    TreeItem root{name, true, false, {}};
    std::vector<TreeItem*> chain{&root};  // chain[d] is the last item at depth d
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const SummaryLine& line = lines[i];
        if (i == 0 && line.depth == 0) {
            root.expanded = line.expanded;
            continue;
        }
        const std::size_t depth = line.depth < 1 ? 1 : static_cast<std::size_t>(line.depth);
        const std::size_t parentDepth = std::min(depth - 1, chain.size() - 1);
        TreeItem* parent = chain[parentDepth];
        parent->children.push_back({line.text, line.style != SummaryStyle::Plain, line.expanded, {}});
        chain.resize(parentDepth + 1);
        chain.push_back(&parent->children.back());
    }
    return root;
}

}  // namespace

ScenarioTreeModel::ScenarioTreeModel() {
    for (const char* name : {kOilSection, kWindSection, kWaterSection, kReleaseSection})
        roots_.push_back({{name, true, false, {}}, NextRevision()});
    Find(kReleaseSection)->item.children.push_back({});
}

TreeRoot* ScenarioTreeModel::Find(std::string_view text) {
    for (TreeRoot& r : roots_)
        if (r.item.text == text) return &r;
    return nullptr;
}

const TreeRoot* ScenarioTreeModel::FindRoot(std::string_view text) const {
    return const_cast<ScenarioTreeModel*>(this)->Find(text);
}

void ScenarioTreeModel::SetPermanent(const char* name, const SummaryLines& lines) {
    TreeRoot* root = Find(name);
    if (!root) return;
    root->item = ItemFromLines(name, lines);
    root->revision = NextRevision();
}

void ScenarioTreeModel::SetOptional(const char* name, const SummaryLines& lines,
                                    std::initializer_list<const char*> predecessors) {
    TreeRoot* root = Find(name);
    if (lines.empty()) {
        if (root) roots_.erase(roots_.begin() + (root - roots_.data()));
        return;
    }
    if (!root) {
        std::size_t at = roots_.size();
        for (const char* before : predecessors) {
            if (TreeRoot* p = Find(before)) {
                at = static_cast<std::size_t>(p - roots_.data()) + 1;
                break;
            }
        }
        root = &*roots_.insert(roots_.begin() + static_cast<std::ptrdiff_t>(at), TreeRoot{});
    }
    root->item = ItemFromLines(name, lines);
    root->revision = NextRevision();
}

void ScenarioTreeModel::Refresh(SpillDocCore& doc) {
    int* flags = doc.session.m_bChanged;
    constexpr auto tree = SummaryFlavour::Tree;
    auto emulsification = [&] {
        SetOptional(kEmulsificationSection, EmulsificationSummary(doc, tree), {kOilSection});
    };
    if (flags[ChangedRelease]) {
        SetPermanent(kReleaseSection, ReleaseSummary(doc, tree));
        flags[ChangedRelease] = 0;
    }
    if (flags[ChangedWater]) {
        SetPermanent(kWaterSection, WaterSummary(doc, tree));
        flags[ChangedWater] = 0;
    }
    if (flags[ChangedWindWave]) {
        SetPermanent(kWindSection, WindSummary(doc, tree));
        flags[ChangedWindWave] = 0;
    }
    if (flags[ChangedOil]) {
        SetPermanent(kOilSection, OilSummary(doc, tree));
        flags[ChangedOil] = 0;
        flags[ChangedEmulsification] = 1;
    }
    if (flags[ChangedDispersant]) {
        SetOptional(kDispersantSection, DispersantSummary(doc, tree), {kReleaseSection});
        flags[ChangedDispersant] = 0;
    }
    if (flags[ChangedBurn]) {
        SetOptional(kBurnSection, BurnSummary(doc, tree), {kDispersantSection, kReleaseSection});
        flags[ChangedBurn] = 0;
    }
    if (flags[ChangedMechanical]) {
        SetOptional(kMechanicalSection, MechanicalSummary(doc, tree),
                    {kBurnSection, kDispersantSection, kReleaseSection});
        flags[ChangedMechanical] = 0;
    }
    if (flags[ChangedBeaching]) {
        SetOptional(kBeachedSection, BeachedSummary(doc, tree),
                    {kMechanicalSection, kBurnSection, kDispersantSection, kReleaseSection});
        flags[ChangedBeaching] = 0;
    }
    if (flags[ChangedEmulsification]) {
        emulsification();
        flags[ChangedEmulsification] = 0;
    }
    if (flags[SolvedTree]) {
        SetPermanent(kOilSection, OilSummary(doc, tree));
        emulsification();
        flags[SolvedTree] = 0;
    }
}

const TreeItem* ScenarioTreeModel::ItemAt(const TreeItemPath& path) const {
    if (path.empty() || path[0] >= roots_.size()) return nullptr;
    const TreeItem* item = &roots_[path[0]].item;
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (path[i] >= item->children.size()) return nullptr;
        item = &item->children[path[i]];
    }
    return item;
}

std::optional<DialogKind> ScenarioTreeModel::CommandForText(std::string_view text, bool standardOil) {
    for (std::string_view release : {kReleaseSection, "Instantaneous Release", "Continuous Release",
                                     "Leaking Tank Release", "Contained Release", "Release Uncertainty"})
        if (text == release) return DialogKind::Release;
    if (text == kWindSection || text == "Wind Uncertainty") return DialogKind::WindWave;
    if (text == kWaterSection) return DialogKind::Water;
    if (text == kOilSection) return standardOil ? DialogKind::StandardOils : DialogKind::CustomOils;
    if (text.find("Dispersant Operation") != std::string_view::npos) return DialogKind::Dispersant;
    if (text.find("In-Situ Burn Operation") != std::string_view::npos) return DialogKind::InSituBurn;
    if (text.find("Mechanical Cleanup Operation") != std::string_view::npos) return DialogKind::Mechanical;
    if (text == kBeachedSection) return DialogKind::Beaching;
    if (text == kEmulsificationSection) return DialogKind::Emulsification;
    return std::nullopt;
}

std::optional<DialogKind> ScenarioTreeModel::CommandForItem(const TreeItemPath& path, const SpillDocCore& doc) const {
    const TreeItem* item = ItemAt(path);
    if (!item) return std::nullopt;
    if (item->children.empty()) {
        if (path.size() < 2) return std::nullopt;  // a root has no parent
        item = ItemAt(TreeItemPath(path.begin(), path.end() - 1));
    }
    return CommandForText(item->text, doc.session.m_bStandardOil != 0);
}

}  // namespace document
