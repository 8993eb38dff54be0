#include "ui/inputs/SmokePlumeDialog.h"

#include <algorithm>
#include <initializer_list>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dcbuffer.h>
#include <wx/display.h>
#include <wx/panel.h>
#include <wx/print.h>
#include <wx/simplebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "output/Printing.h"
#include "output/core/PrintSpillInformation.h"
#include "platform/wx/PrintPager.h"
#include "platform/wx/WxDcCanvas.h"
#include "platform/wx/WxText.h"
#include "ui/common/HelpMessageDialog.h"
#include "ui/inputs/InputFields.h"
#include "ui/inputs/rules/PlumeGraph.h"

namespace ui {

namespace {

constexpr int kGap = 6;


// The graph: painted through the canvas, its client area the plot area.
class PlumeGraphPanel final : public wxPanel {
public:
    PlumeGraphPanel(wxWindow* parent, const std::unique_ptr<model::SPlumeGraphData>& plume)
        : wxPanel(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(520, 300))), plume_(plume) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxAutoBufferedPaintDC dc(this);
            dc.SetBackground(wxBrush(GetBackgroundColour()));
            dc.Clear();
            if (!plume_) return;
            platform::WxDcCanvas canvas = platform::WxDcCanvas::ForWindow(dc, *this);
            const wxSize size = GetClientSize();
            DrawPlumeGraph(canvas, {0, 0, size.x, size.y}, *plume_, PlumeMedium::Screen);
        });
        Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
            Refresh();
            e.Skip();
        });
    }

private:
    const std::unique_ptr<model::SPlumeGraphData>& plume_;
};

// A page's button row: its Help on the left, the others on the right.
wxSizer* PageButtons(wxWindow* page, int helpId, std::initializer_list<wxButton*> right) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* help = new wxButton(page, helpId, "&Help");
    if (right.size() > 0) help->MoveBeforeInTabOrder(*right.begin());  // Tab goes left to right
    row->Add(help);
    row->AddStretchSpacer();
    for (wxButton* b : right) row->Add(b, 0, wxLEFT, page->FromDIP(kGap));
    return row;
}

wxWindow* Swatch(wxWindow* parent, platform::Rgb colour) {
    auto* swatch = new wxPanel(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(14, 14)), wxBORDER_SIMPLE);
    swatch->SetBackgroundColour(wxColour(colour.r, colour.g, colour.b));
    return swatch;
}

}  // namespace

CSmokePlumeDialog::CSmokePlumeDialog(wxWindow* parent, document::SpillDocCore& doc, int burn)
    : RulesDialog(parent, "Smoke Plume", doc.Messages(), std::nullopt), doc_(doc), rules_(doc, burn) {
    book_ = new wxSimplebook(this);
    book_->AddPage(MakeInputs(book_), wxString());
    book_->AddPage(MakeGraphPage(book_), wxString());
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(book_, 1, wxEXPAND | wxALL, FromDIP(kGap));
    SetSizer(top);

    // Help and F1 open the help of the page in view.
    BindHelpKeys(*this, [this] { ShowHelpDialog(this, HelpInView()); });
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowHelpDialog(this, HelpInView()); }, kInputHelpId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowHelpDialog(this, HelpInView()); }, kGraphHelpId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnNext(); }, kNextId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowState(0); }, kBackId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnPrint(); }, kPrintId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnFinished(); }, wxID_OK);
    // Escape means Cancel on both pages (the graph page has no Cancel button).
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE && !e.HasAnyModifiers()) {
            EndModal(wxID_CANCEL);
            return;
        }
        e.Skip();
    });

    const SmokePlumeForm f = rules_.Load();
    ShowText(loc_, f.loc);
    ShowText(air_, f.airTemp);
    airUnit_->SetSelection(f.airUnit);
    ShowText(wind_, f.wind);
    windUnit_->SetSelection(f.windUnit);

    ShowState(0);
    Centre();
}

CSmokePlumeDialog::~CSmokePlumeDialog() = default;

wxWindow* CSmokePlumeDialog::MakeInputs(wxWindow* book) {
    auto* page = new wxPanel(book);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* intro = new wxStaticText(page, wxID_ANY,
                                   "The values below reflect the scenario's inputs where they were entered. "
                                   "Change them to graph the plume under other conditions.");
    intro->Wrap(FromDIP(420));
    sizer->Add(intro, 0, wxALL, FromDIP(10));

    auto* oilRow = new wxBoxSizer(wxHORIZONTAL);
    oilRow->Add(new wxStaticText(page, wxID_ANY, "Selected Oil"), 0, wxRIGHT, FromDIP(12));
    auto* oil = new wxStaticText(page, wxID_ANY, wxString());
    oil->SetLabelText(platform::ToWx(rules_.OilName()));
    oilRow->Add(oil);
    sizer->Add(oilRow, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    auto* grid = new wxFlexGridSizer(3, wxSize(FromDIP(kGap), FromDIP(kGap)));
    auto field = [&](const wxString& label, wxTextCtrl*& edit) {
        grid->Add(new wxStaticText(page, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        edit = NewField(page, 80);
        grid->Add(edit, 0, wxALIGN_CENTER_VERTICAL);
    };
    field("&Level of Concern for soot particles", loc_);
    grid->Add(new wxStaticText(page, wxID_ANY, "ugm/m3"), 0, wxALIGN_CENTER_VERTICAL);
    field("&Air Temperature", air_);
    airUnit_ = NewChoice(page, kPlumeTempUnits);
    grid->Add(airUnit_, 0, wxALIGN_CENTER_VERTICAL);
    field("Average &Wind Speed", wind_);
    windUnit_ = NewChoice(page, kPlumeWindUnits);
    grid->Add(windUnit_, 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(grid, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    sizer->AddStretchSpacer();

    auto* cancel = new wxButton(page, wxID_CANCEL, "Cancel");
    next_ = new wxButton(page, kNextId, "&Next >");
    sizer->Add(PageButtons(page, kInputHelpId, {cancel, next_}), 0, wxEXPAND | wxALL, FromDIP(kGap));
    page->SetSizer(sizer);
    return page;
}

wxWindow* CSmokePlumeDialog::MakeGraphPage(wxWindow* book) {
    auto* page = new wxPanel(book);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // The summary in two columns: time; duration, area; LOC; wind, air; oil.
    auto* lines = new wxFlexGridSizer(2, wxSize(FromDIP(24), FromDIP(2)));
    for (wxStaticText*& s : summary_) s = new wxStaticText(page, wxID_ANY, wxString());
    // summary_: time, duration, loc, area, air, wind, oil
    lines->Add(summary_[0]);
    lines->AddSpacer(0);
    lines->Add(summary_[1]);
    lines->Add(summary_[3]);
    lines->Add(summary_[2]);
    lines->AddSpacer(0);
    lines->Add(summary_[5]);
    lines->Add(summary_[4]);
    lines->Add(summary_[6]);
    sizer->Add(lines, 0, wxALL, FromDIP(10));

    sizer->Add(new wxStaticText(page, wxID_ANY, kPlumeScreenHeightCaption), 0, wxLEFT | wxRIGHT, FromDIP(10));
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    graph_ = new PlumeGraphPanel(page, plume_);
    body->Add(graph_, 1, wxEXPAND | wxRIGHT, FromDIP(kGap));
    auto* legend = new wxBoxSizer(wxVERTICAL);
    auto key = [&](platform::Rgb colour, const char* text) {
        auto* r = new wxBoxSizer(wxHORIZONTAL);
        r->Add(Swatch(page, colour), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(4));
        r->Add(new wxStaticText(page, wxID_ANY, text), 0, wxALIGN_CENTER_VERTICAL);
        legend->Add(r, 0, wxBOTTOM, FromDIP(kGap));
    };
    key(kPlumeNeutralColour, kPlumeNeutralLegend);
    key(kPlumeStableColour, kPlumeStableLegend);
    body->Add(legend, 0, wxTOP, FromDIP(20));
    sizer->Add(body, 1, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, FromDIP(10));

    auto* back = new wxButton(page, kBackId, "< &Back");
    auto* print = new wxButton(page, kPrintId, "&Print");
    finished_ = new wxButton(page, wxID_OK, "&Finished");
    sizer->Add(PageButtons(page, kGraphHelpId, {back, print, finished_}), 0, wxEXPAND | wxALL, FromDIP(kGap));
    page->SetSizer(sizer);
    return page;
}

int CSmokePlumeDialog::State() const { return book_->GetSelection(); }

HelpDialog CSmokePlumeDialog::HelpInView() const {
    return State() == 1 ? HelpDialog::SmokePlumeGraph : HelpDialog::SmokePlumeInput;
}

SmokePlumeForm CSmokePlumeDialog::Form() const {
    return {TextOf(loc_), TextOf(air_), SelectionOf(airUnit_), TextOf(wind_), SelectionOf(windUnit_)};
}

void CSmokePlumeDialog::ShowState(int state) {
    const wxRect before = GetRect();
    book_->ChangeSelection(static_cast<std::size_t>(state));
    // Each page at its own size: the inputs without the graph's room, the
    // graph page grown to it; the dialog keeps its centre.
    book_->SetMinSize(book_->GetPage(static_cast<std::size_t>(state))->GetBestSize());
    SetMinSize(wxDefaultSize);
    GetSizer()->SetSizeHints(this);
    if (IsShown()) {
        wxRect after(before.GetPosition(), GetSize());
        after.Offset((before.width - after.width) / 2, (before.height - after.height) / 2);
        if (const int display = wxDisplay::GetFromWindow(this); display != wxNOT_FOUND) {
            const wxRect area = wxDisplay(static_cast<unsigned>(display)).GetClientArea();
            after.x = std::max(area.x, std::min(after.x, area.GetRight() + 1 - after.width));
            after.y = std::max(area.y, std::min(after.y, area.GetBottom() + 1 - after.height));
        }
        Move(after.GetPosition());
    }
    // Enter presses "Next >" on the inputs, "Finished" on the graph.
    wxButton* def = state == 1 ? finished_ : next_;
    SetDefaultItem(def);
    def->SetDefault();
    if (state == 0)
        loc_->SetFocus();
    else
        finished_->SetFocus();
    Refresh();
}

void CSmokePlumeDialog::OnNext() {
    if (!ShowResult(rules_.Next(Form(), plume_))) return;
    const PlumeSummary m = rules_.Summary(*plume_);
    const std::array<const std::string*, 7> texts{&m.time, &m.duration, &m.loc, &m.area, &m.airTemp, &m.wind, &m.oil};
    for (std::size_t i = 0; i < texts.size(); ++i) summary_[i]->SetLabelText(platform::ToWx(*texts[i]));
    book_->GetPage(1)->Layout();
    ShowState(1);
    graph_->Refresh();
}

void CSmokePlumeDialog::OnFinished() {
    if (ShowResult(rules_.Store(Form()))) EndModal(wxID_OK);
}

void CSmokePlumeDialog::OnPrint() {
    if (!plume_) return;
    const PlumeSummary m = rules_.Summary(*plume_);
    const model::SPlumeGraphData plume = *plume_;
    const platform::IClock& clock = doc_.Clock();
    auto printout = std::unique_ptr<wxPrintout>(output::MakePrintout([m, plume, &clock](platform::Canvas& c) {
        const output::CPrintSpillInformation layout(clock);
        PlumePageFrame frame;
        frame.header = [&layout](platform::Canvas& canvas, std::string_view title) { layout.PrintHeader(canvas, title); };
        frame.footer = [&layout](platform::Canvas& canvas) { layout.PrintFooter(canvas); };
        PrintPlumePage(c, m, plume, frame);
    }));
    platform::PrintThroughDialog(this, *printout, Messages(), false);
}

void RunSmokePlumeDialog(wxWindow* parent, document::SpillDocCore& doc, int burn) {
    CSmokePlumeDialog dialog(parent, doc, burn);
    dialog.ShowModal();
}

}  // namespace ui
