#include "output/TableViews.h"

#include "output/OutputRegistry.h"
#include "output/BudgetTableView.h"
#include "output/IcsTableView.h"

namespace output {

void RegisterTableViews() {
    RegisterOutputWindow(document::OutputKind::BudgetTable, [](wxWindow* parent, document::SpillDocCore& doc) {
        return static_cast<wxWindow*>(new BudgetTableView(parent, doc));
    });
    RegisterOutputWindow(document::OutputKind::IcsTable, [](wxWindow* parent, document::SpillDocCore& doc) {
        return static_cast<wxWindow*>(new IcsTableView(parent, doc));
    });
}

}  // namespace output
