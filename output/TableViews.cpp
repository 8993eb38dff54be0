#include "output/TableViews.h"

#include "app/OutputArea.h"
#include "output/BudgetTableView.h"
#include "output/IcsTableView.h"

namespace output {

void RegisterTableViews() {
    app::RegisterOutputWindow(document::OutputKind::BudgetTable, [](wxWindow* parent, document::SpillDocCore& doc) {
        return static_cast<wxWindow*>(new BudgetTableView(parent, doc));
    });
    app::RegisterOutputWindow(document::OutputKind::IcsTable, [](wxWindow* parent, document::SpillDocCore& doc) {
        return static_cast<wxWindow*>(new IcsTableView(parent, doc));
    });
}

}  // namespace output
