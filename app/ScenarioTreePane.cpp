#include "app/ScenarioTreePane.h"

#include <wx/docview.h>

#include "app/CommandIds.h"
#include "app/SpillDocWx.h"
#include "app/WxDialogRunner.h"
#include "ui/common/DialogRegistry.h"
#include "document/SpillDoc.h"
#include "platform/wx/WxText.h"

namespace app {

namespace {

SpillDocWx* DocOf(const document::SpillDocCore& core) {
    wxDocManager* manager = wxDocManager::GetDocumentManager();
    if (!manager) return nullptr;
    for (wxDocument* d : manager->GetDocumentsVector()) {
        auto* doc = wxDynamicCast(d, SpillDocWx);
        if (doc && &doc->Core() == &core) return doc;
    }
    return nullptr;
}

int CommandIdFor(document::DialogKind kind) {
    for (const InputCommand& c : kInputCommands)
        if (c.dialog == kind) return c.id;
    return wxID_NONE;
}

}  // namespace

void ScenarioTreePane::Refresher::Refresh(document::SpillDocCore& core) {
    if (SpillDocWx* doc = DocOf(core)) {
        doc->Tree().Refresh(core);
    } else {
        for (int i = document::ChangedRelease; i <= document::SolvedTree; ++i) core.session.m_bChanged[i] = 0;
    }
    pane_.Sync();
}

ScenarioTreePane::ScenarioTreePane(wxWindow* parent, CurrentDoc current)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HIDE_ROOT | wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_NO_LINES | wxHSCROLL | wxBORDER_NONE),
      current_(std::move(current)),
      refresh_(*this) {
    SetIndent(20);
    Bind(wxEVT_TREE_ITEM_ACTIVATED, &ScenarioTreePane::OnActivated, this);
    Bind(wxEVT_TREE_ITEM_GETTOOLTIP, [this](wxTreeEvent& e) { e.SetToolTip(CutItemText(e.GetItem())); });
    Bind(wxEVT_IDLE, &ScenarioTreePane::OnIdle, this);
    Sync();
}

ScenarioTreePane::~ScenarioTreePane() = default;

void ScenarioTreePane::Sync() {
    SpillDocWx* doc = current_ ? current_() : nullptr;
    Show(doc ? doc->Tree() : empty_);
}

void ScenarioTreePane::Fill(const wxTreeItemId& parent, const document::TreeItem& item) {
    const wxTreeItemId id = AppendItem(parent, platform::ToWx(item.text));
    if (item.bold) SetItemBold(id);
    for (const document::TreeItem& child : item.children) Fill(id, child);
    if (item.expanded && !item.children.empty()) Expand(id);
}

void ScenarioTreePane::FillRoot(const wxTreeItemId& id, const document::TreeRoot& root) {
    DeleteChildren(id);
    SetItemText(id, platform::ToWx(root.item.text));
    SetItemBold(id, root.item.bold);
    for (const document::TreeItem& child : root.item.children) Fill(id, child);
    if (root.item.expanded && !root.item.children.empty()) Expand(id);
}

void ScenarioTreePane::Show(const document::ScenarioTreeModel& model) {
    const auto& roots = model.Roots();
    bool sameRoots = shown_ == &model && roots.size() == texts_.size();
    for (std::size_t i = 0; sameRoots && i < roots.size(); ++i) sameRoots = roots[i].item.text == texts_[i];
    if (sameRoots) {
        // Only the sections rebuilt since the last look.
        for (std::size_t i = 0; i < roots.size(); ++i) {
            if (roots[i].revision == revisions_[i]) continue;
            FillRoot(roots_[i], roots[i]);
            revisions_[i] = roots[i].revision;
        }
        return;
    }
    Freeze();
    SaveViewState();
    DeleteAllItems();
    roots_.clear();
    texts_.clear();
    revisions_.clear();
    const wxTreeItemId hidden = AddRoot("Scenario");
    for (const document::TreeRoot& root : roots) {
        const wxTreeItemId id = AppendItem(hidden, wxString());
        FillRoot(id, root);
        roots_.push_back(id);
        texts_.push_back(root.item.text);
        revisions_.push_back(root.revision);
    }
    shown_ = &model;
    RestoreViewState();
    Thaw();
}

std::string ScenarioTreePane::TextPath(const wxTreeItemId& item) const {
    std::string path;
    const wxTreeItemId hidden = GetRootItem();
    for (wxTreeItemId id = item; id.IsOk() && id != hidden; id = GetItemParent(id))
        path = GetItemText(id).utf8_string() + "\n" + path;
    return path;
}

void ScenarioTreePane::SaveViewState() {
    if (!shown_ || shown_ == &empty_ || !GetRootItem().IsOk()) return;
    ViewState state;
    std::vector<wxTreeItemId> stack(roots_.begin(), roots_.end());
    while (!stack.empty()) {
        const wxTreeItemId id = stack.back();
        stack.pop_back();
        if (!ItemHasChildren(id)) continue;
        (IsExpanded(id) ? state.expanded : state.collapsed).insert(TextPath(id));
        wxTreeItemIdValue cookie;
        for (wxTreeItemId c = GetFirstChild(id, cookie); c.IsOk(); c = GetNextChild(id, cookie)) stack.push_back(c);
    }
    state.viewStart = GetViewStart();
    states_[shown_] = std::move(state);
}

void ScenarioTreePane::RestoreViewState() {
    // Only the models of open scenarios are kept.
    wxDocManager* manager = wxDocManager::GetDocumentManager();
    for (auto it = states_.begin(); it != states_.end();) {
        bool open = false;
        if (manager)
            for (wxDocument* d : manager->GetDocumentsVector())
                if (auto* doc = wxDynamicCast(d, SpillDocWx); doc && &doc->Tree() == it->first) open = true;
        it = open ? std::next(it) : states_.erase(it);
    }
    auto it = states_.find(shown_);
    if (it == states_.end()) return;
    const ViewState& state = it->second;
    std::vector<wxTreeItemId> stack(roots_.begin(), roots_.end());
    while (!stack.empty()) {
        const wxTreeItemId id = stack.back();
        stack.pop_back();
        if (!ItemHasChildren(id)) continue;
        const std::string path = TextPath(id);
        if (state.expanded.count(path)) Expand(id);
        if (state.collapsed.count(path)) Collapse(id);
        wxTreeItemIdValue cookie;
        for (wxTreeItemId c = GetFirstChild(id, cookie); c.IsOk(); c = GetNextChild(id, cookie)) stack.push_back(c);
    }
    // Scrolled once the control has laid the items out.
    const wxPoint start = state.viewStart;
    CallAfter([this, start] { Scroll(start); });
}

int ScenarioTreePane::WidestItemWidth() const {
    int widest = 0;
    wxFont bold = GetFont();
    bold.MakeBold();
    std::vector<std::pair<wxTreeItemId, int>> stack;
    for (const wxTreeItemId& r : roots_) stack.emplace_back(r, 1);
    while (!stack.empty()) {
        const auto [id, depth] = stack.back();
        stack.pop_back();
        int w = 0;
        GetTextExtent(GetItemText(id), &w, nullptr, nullptr, nullptr, IsBold(id) ? &bold : nullptr);
        // Indent per level, and the room for the expander and the gaps.
        widest = std::max(widest, depth * static_cast<int>(GetIndent()) + FromDIP(24) + w);
        if (!IsExpanded(id)) continue;
        wxTreeItemIdValue cookie;
        for (wxTreeItemId c = GetFirstChild(id, cookie); c.IsOk(); c = GetNextChild(id, cookie))
            stack.emplace_back(c, depth + 1);
    }
    return widest;
}

wxString ScenarioTreePane::CutItemText(const wxTreeItemId& item) const {
    wxRect r;
    if (!item.IsOk() || !GetBoundingRect(item, r, true)) return {};
    return r.GetRight() >= GetClientSize().x || r.GetLeft() < 0 ? GetItemText(item) : wxString();
}

document::TreeItemPath ScenarioTreePane::PathOf(const wxTreeItemId& item) const {
    document::TreeItemPath path;
    const wxTreeItemId hidden = GetRootItem();
    for (wxTreeItemId id = item; id.IsOk() && id != hidden; id = GetItemParent(id)) {
        const wxTreeItemId parent = GetItemParent(id);
        if (!parent.IsOk()) return {};
        std::size_t index = 0;
        wxTreeItemIdValue cookie;
        for (wxTreeItemId c = GetFirstChild(parent, cookie); c.IsOk() && c != id; c = GetNextChild(parent, cookie))
            ++index;
        path.insert(path.begin(), index);
    }
    return path;
}

int ScenarioTreePane::CommandOf(const wxTreeItemId& item) const {
    SpillDocWx* doc = current_ ? current_() : nullptr;
    if (!doc || !item.IsOk()) return wxID_NONE;
    const auto kind = doc->Tree().CommandForItem(PathOf(item), doc->Core());
    if (!kind || !ui::HasDialog(*kind)) return wxID_NONE;
    return CommandIdFor(*kind);
}

bool ScenarioTreePane::RunCommand(int id) { return id != wxID_NONE && SendMenuCommand(this, id); }

bool ScenarioTreePane::Activate(const wxTreeItemId& item) { return RunCommand(CommandOf(item)); }

wxTreeItemId ScenarioTreePane::FindRootItem(const wxString& text) const {
    for (const wxTreeItemId& id : roots_)
        if (GetItemText(id) == text) return id;
    return {};
}

void ScenarioTreePane::OnActivated(wxTreeEvent& e) {
    // The dialog runs once the control is done with this event: what the
    // dialog changes rebuilds sections at idle time (its message boxes run
    // idle passes too), which deletes the very item the control still holds.
    const int id = CommandOf(e.GetItem());
    if (id != wxID_NONE) CallAfter([this, id] { RunCommand(id); });
    // Activation also opens or closes the item by default.
    e.Skip();
}

void ScenarioTreePane::OnIdle(wxIdleEvent& e) {
    Sync();  // another scenario became current, or the last one closed
    e.Skip();
}

}  // namespace app
