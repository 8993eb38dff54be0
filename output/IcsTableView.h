// The ICS table window: two strips choosing the operational period
// ("Operational Period Beginning" month, day "at" hour "hours"; "Duration"
// hours) over a scrolled drawing of the table. The texts come from
// output::IcsTableText; this window only draws, keeps the choices and saves.
#pragma once

#include <string>

#include <wx/panel.h>
#include <wx/scrolwin.h>

#include "output/OutputRegistry.h"
#include "output/core/IcsTable.h"
#include "output/core/TableExport.h"

class wxChoice;
class wxTextCtrl;

namespace document {
class SpillDocCore;
}

namespace output {

class IcsTableView final : public wxPanel, public IPrintableOutput {
public:
    IcsTableView(wxWindow* parent, document::SpillDocCore& doc);

    // The table of the period chosen now, with the page header and footer.
    wxPrintout* CreatePrintout() override;

    // Recomputes the texts and their extent from the document's results.
    void Rebuild();
    const IcsChoices& Choices() const { return choices_; }
    const IcsTableText& Text() const { return text_; }
    // The number of times the table was drawn (tests see redraws).
    int Paints() const { return paints_; }
    SaveOutcome SaveTo(const std::string& path);

    wxChoice* MonthList() const { return lists_[0]; }
    wxChoice* DayList() const { return lists_[1]; }
    wxChoice* HourList() const { return lists_[2]; }
    wxTextCtrl* DurationEdit() const { return duration_; }
    wxScrolledWindow* Drawing() const { return drawing_; }

    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;

private:
    // Measures the texts in force and redraws them.
    void ShowText();
    void ListChosen();
    void DurationChanged();
    void OnPaint();
    void OnSaveAs(wxCommandEvent& e);

    document::SpillDocCore& doc_;
    IcsChoices choices_;
    IcsTableText text_;
    std::string header_;  // the header as UTF-8 for drawing
    wxChoice* lists_[3] = {};
    wxTextCtrl* duration_ = nullptr;
    wxScrolledWindow* drawing_ = nullptr;
    int paints_ = 0;
};

}  // namespace output
