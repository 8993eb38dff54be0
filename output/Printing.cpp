#include "output/Printing.h"

#include "document/SpillDoc.h"
#include "output/OutputRegistry.h"
#include "output/core/Printouts.h"
#include "platform/wx/PrintPager.h"

namespace output {

wxPrintout* MakePrintout(platform::PrintJob job) { return new platform::PrintPager(kPrintJobTitle, std::move(job)); }

void RegisterScenarioPrintout() {
    SetScenarioPrintout([](document::SpillDocCore& doc) {
        return MakePrintout([&doc](platform::Canvas& canvas) { PrintScenario(canvas, doc); });
    });
}

}  // namespace output
