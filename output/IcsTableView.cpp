#include "output/IcsTableView.h"

#include <algorithm>

#include <wx/choice.h>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/SpillDoc.h"
#include "output/Printing.h"
#include "output/core/Printouts.h"
#include "platform/RecordingCanvas.h"
#include "platform/wx/WxDcCanvas.h"
#include "platform/wx/WxText.h"

namespace output {

namespace {

constexpr int kTableX = 10;
constexpr int kFontPoints = 10;

platform::Font TableFont(int ppiY) {
    return platform::Font{platform::Face::Mono, platform::fontPx(kFontPoints, ppiY), 400, true};
}

wxStaticText* Label(wxWindow* parent, const char* text, int width = -1) {
    auto* label = new wxStaticText(parent, wxID_ANY, text, wxDefaultPosition, wxSize(width, -1),
                                   width > 0 ? wxALIGN_RIGHT | wxST_NO_AUTORESIZE : 0);
    return label;
}

}  // namespace

IcsTableView::IcsTableView(wxWindow* parent, document::SpillDocCore& doc)
    : wxPanel(parent, wxID_ANY),
      doc_(doc),
      choices_(InitialIcsChoices(doc.scenario.SpillTime, doc.Clock())),
      text_(IcsTableText::FromDocument(doc, choices_)) {
    const int gap = FromDIP(6);
    const int labelWidth = GetTextExtent(kIcsBeginningLabel).x + FromDIP(8);

    auto* beginning = new wxPanel(this, wxID_ANY);
    auto* row1 = new wxBoxSizer(wxHORIZONTAL);
    wxArrayString months, days, hours;
    for (const char* m : document::kMonthNames) months.Add(m);
    for (int d = 1; d <= 31; ++d) days.Add(wxString::Format("%d", d));
    for (int h = 0; h < 24; ++h) hours.Add(document::HourText(h));
    row1->Add(Label(beginning, kIcsBeginningLabel, labelWidth), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    lists_[0] = new wxChoice(beginning, wxID_ANY, wxDefaultPosition, wxDefaultSize, months);
    lists_[1] = new wxChoice(beginning, wxID_ANY, wxDefaultPosition, wxDefaultSize, days);
    lists_[2] = new wxChoice(beginning, wxID_ANY, wxDefaultPosition, wxDefaultSize, hours);
    row1->Add(lists_[0], 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM | wxRIGHT, FromDIP(3));
    row1->Add(lists_[1], 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM | wxRIGHT, FromDIP(3));
    row1->Add(Label(beginning, "at"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, gap);
    row1->Add(lists_[2], 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM | wxRIGHT, FromDIP(3));
    row1->Add(Label(beginning, "hours"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    beginning->SetSizer(row1);

    auto* length = new wxPanel(this, wxID_ANY);
    auto* row2 = new wxBoxSizer(wxHORIZONTAL);
    row2->Add(Label(length, "Duration", labelWidth), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    duration_ = new wxTextCtrl(length, wxID_ANY, kDurationInitialText, wxDefaultPosition,
                               wxSize(GetTextExtent("1200").x + FromDIP(24), -1));
    row2->Add(duration_, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM, FromDIP(3));
    row2->Add(Label(length, "hours"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    length->SetSizer(row2);

    drawing_ = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxHSCROLL | wxVSCROLL | wxBORDER_NONE);
    drawing_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    drawing_->SetScrollRate(FromDIP(10), FromDIP(10));
    drawing_->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { OnPaint(); });
    drawing_->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        drawing_->Refresh();  // "N/A" stays in the middle
        e.Skip();
    });

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(beginning, 0, wxEXPAND | wxLEFT, gap);
    sizer->Add(length, 0, wxEXPAND | wxLEFT, gap);
    sizer->Add(drawing_, 1, wxEXPAND);
    SetSizer(sizer);

    lists_[0]->SetSelection(choices_.beginning.month0);
    lists_[1]->SetSelection(choices_.beginning.day0);
    lists_[2]->SetSelection(choices_.beginning.hour);
    for (wxChoice* list : lists_)
        list->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { CallAfter([this] { ListChosen(); }); });
    duration_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { CallAfter([this] { DurationChanged(); }); });

    Bind(wxEVT_MENU, &IcsTableView::OnSaveAs, this, wxID_SAVEAS);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(text_.HasResults()); }, wxID_SAVEAS);

    ShowText();
}

void IcsTableView::Rebuild() {
    text_ = IcsTableText::FromDocument(doc_, choices_);
    ShowText();
}

void IcsTableView::ShowText() {
    header_ = platform::ToWx(text_.Header()).utf8_string();
    wxSize extent(0, 0);
    if (text_.HasResults()) {
        // Measured once per change, outside the paint: the scroll sizes set
        // while painting would paint again.
        wxClientDC dc(drawing_);
        platform::WxDcCanvas measure = platform::WxDcCanvas::ForWindow(dc, *drawing_);
        platform::DeviceInfo device;
        device.ppiX = measure.ppiX();
        device.ppiY = measure.ppiY();
        device.size = measure.deviceSize();
        platform::RecordingCanvas recorder(device, &measure);
        recorder.setFont(TableFont(device.ppiY));
        const platform::Size size = DrawTableText(recorder, header_, text_.Table(), {kTableX, 0});
        extent = wxSize(kTableX + size.cx, size.cy);
    }
    drawing_->SetVirtualSize(extent);
    drawing_->Refresh();
}

void IcsTableView::Refresh(bool eraseBackground, const wxRect* rect) {
    if (drawing_) Rebuild();
    wxPanel::Refresh(eraseBackground, rect);
}

void IcsTableView::ListChosen() {
    document::TimePick pick{lists_[0]->GetSelection(), lists_[1]->GetSelection(), lists_[2]->GetSelection()};
    if (pick.month0 < 0 || pick.day0 < 0 || pick.hour < 0 || pick == choices_.beginning) return;
    choices_.beginning = pick;
    Rebuild();
}

void IcsTableView::DurationChanged() {
    const DurationReading reading = ReadDuration(duration_->GetValue().utf8_string());
    if (reading.rewrite) {
        // The next key lands after the digits, as it would have.
        duration_->ChangeValue(reading.text);
        duration_->SetInsertionPointEnd();
    }
    if (reading.hours == choices_.duration) return;
    choices_.duration = reading.hours;
    Rebuild();
}

void IcsTableView::OnPaint() {
    wxAutoBufferedPaintDC dc(drawing_);
    drawing_->DoPrepareDC(dc);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    ++paints_;
    platform::WxDcCanvas canvas = platform::WxDcCanvas::ForWindow(dc, *drawing_);
    canvas.setFont(TableFont(canvas.ppiY()));
    canvas.setTextColour({0, 0, 0});
    canvas.setTextBackground({255, 255, 255}, false);
    if (!text_.HasResults()) {
        const wxPoint origin = drawing_->CalcUnscrolledPosition(wxPoint(0, 0));
        const wxSize client = drawing_->GetClientSize();
        canvas.textInRect({origin.x, origin.y, origin.x + client.x, origin.y + client.y}, kNotAvailable,
                          platform::HAlign::Centre, true);
        return;
    }
    DrawTableText(canvas, header_, text_.Table(), {kTableX, 0});
}

SaveOutcome IcsTableView::SaveTo(const std::string& path) {
    Rebuild();
    return SaveTableAs(path, kIcsExtension, text_.ExportBytes(), kIcsSaveError, doc_.Messages());
}

void IcsTableView::OnSaveAs(wxCommandEvent&) {
    Rebuild();
    if (!text_.HasResults()) return;
    wxFileDialog dialog(this, kIcsSaveTitle, wxGetCwd(), kIcsFileName, wxFileSelectorDefaultWildcardStr,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return;
    SaveTo(dialog.GetPath().utf8_string());
}

wxPrintout* IcsTableView::CreatePrintout() {
    return MakePrintout(
        [&doc = doc_, choices = choices_](platform::Canvas& canvas) { PrintIcsTable(canvas, doc, choices); });
}

}  // namespace output
