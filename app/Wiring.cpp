#include "app/Wiring.h"

#include "output/GraphViews.h"
#include "output/Printing.h"
#include "output/TableViews.h"
#include "ui/inputs/InputDialogs.h"
#include "ui/oils/OilDialogs.h"

namespace app {

void RegisterProgramParts() {
    output::RegisterGraphViews();
    output::RegisterTableViews();
    output::RegisterScenarioPrintout();
    ui::RegisterOilDialogs();
    ui::RegisterInputDialogs();
}

}  // namespace app
