// The scenario tree: a read-only summary of one scenario's inputs, kept as
// ordered root sections of items. Each section is rebuilt when the
// document's change flag for it is up; the tree pane mirrors the model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/Interfaces.h"
#include "document/ScenarioSummary.h"

namespace document {

struct TreeItem {
    std::string text;
    bool bold = false;
    bool expanded = false;
    std::vector<TreeItem> children;
};

struct TreeRoot {
    TreeItem item;
    // Changes whenever the section is rebuilt; unique among all models.
    std::uint64_t revision = 0;
};

// Indices from the roots down to an item; empty for no item (blank space).
using TreeItemPath = std::vector<std::size_t>;

class ScenarioTreeModel final : public ITreeRefresh {
public:
    // The four permanent roots, Release Information with one empty item.
    ScenarioTreeModel();

    // The flagged sections, in a fixed order, each flag cleared after its
    // section: release, water, wind, oil (which flags emulsification),
    // dispersant, burn, mechanical, beached oil, emulsification, and after a
    // solve the oil and emulsification again. SolvedPrint is left alone.
    void Refresh(SpillDocCore& doc) override;

    const std::vector<TreeRoot>& Roots() const { return roots_; }
    // A root by its text (roots only: an item below never matches).
    const TreeRoot* FindRoot(std::string_view text) const;
    // The item at path, or null.
    const TreeItem* ItemAt(const TreeItemPath& path) const;

    // The input dialog an activated item opens: a childless item answers
    // for its parent; the oil section opens the standard or the custom
    // oils by the document's standard-oil flag. Nothing for blank space or
    // an item without a command.
    std::optional<DialogKind> CommandForItem(const TreeItemPath& path, const SpillDocCore& doc) const;
    static std::optional<DialogKind> CommandForText(std::string_view text, bool standardOil);

private:
    // Replaces a root's children (and open state) by the section's lines.
    void SetPermanent(const char* name, const SummaryLines& lines);
    // Finds or inserts (after the first present predecessor) an optional
    // root, or removes it when lines is empty.
    void SetOptional(const char* name, const SummaryLines& lines, std::initializer_list<const char*> predecessors);
    TreeRoot* Find(std::string_view text);

    std::vector<TreeRoot> roots_;
};

}  // namespace document
