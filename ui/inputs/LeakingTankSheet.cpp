#include "ui/inputs/LeakingTankSheet.h"

#include <algorithm>
#include <functional>
#include <vector>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dcbuffer.h>
#include <wx/dcscreen.h>
#include <wx/panel.h>
#include <wx/print.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/Messages.h"
#include "platform/wx/PrintPager.h"
#include "platform/wx/WxDcCanvas.h"
#include "platform/wx/WxText.h"
#include "ui/common/HelpMessageDialog.h"
#include "ui/common/RulesDialog.h"
#include "ui/common/TimePickCtrls.h"
#include "ui/inputs/InputFields.h"
#include "ui/inputs/rules/TankPicture.h"

namespace ui {

namespace {

template <std::size_t N>
wxChoice* MakeChoice(wxWindow* parent, const std::array<const char*, N>& items, const char* name) {
    auto* choice = new wxChoice(parent, wxID_ANY);
    for (const char* item : items) choice->Append(item);
    choice->SetSelection(0);
    choice->SetName(name);
    return choice;
}

wxTextCtrl* MakeEdit(wxWindow* parent, const char* name) {
    auto* edit = new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, parent->FromDIP(wxSize(90, -1)));
    edit->SetName(name);
    return edit;
}

wxStaticText* Label(wxWindow* parent, const wxString& text) { return new wxStaticText(parent, wxID_ANY, text); }

// A picture drawn through the canvas on white, framed: the whole window is
// the drawing's area.
class CanvasPanel final : public wxPanel {
public:
    CanvasPanel(wxWindow* parent, const char* name, std::function<void(platform::Canvas&, platform::Rect)> draw)
        : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE | wxBORDER_THEME),
          draw_(std::move(draw)) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        SetName(name);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxAutoBufferedPaintDC dc(this);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            platform::WxDcCanvas canvas = platform::WxDcCanvas::ForWindow(dc, *this);
            const wxSize size = GetClientSize();
            draw_(canvas, {0, 0, size.x, size.y});
        });
    }
    // Keyboard focus has nothing to do here.
    bool AcceptsFocus() const override { return false; }

private:
    std::function<void(platform::Canvas&, platform::Rect)> draw_;
};


}  // namespace

// An input step: its heading above the fields; on steps 1-5 the tank's
// picture to their right, redrawn as the fields change. The form moves
// between the fields and the rules.
class CLeakingTankPropertyPage : public wxWizardPageSimple {
public:
    CLeakingTankPropertyPage(CLeakingTankPropertySheet* sheet, int step)
        : wxWizardPageSimple(sheet), sheet_(sheet), step_(step) {
        auto* top = new wxBoxSizer(wxVERTICAL);
        auto* heading = Label(this, TankStepHeading(step));
        heading->SetFont(heading->GetFont().Bold().Larger());
        top->Add(heading, 0, wxBOTTOM, FromDIP(12));
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        body_ = new wxBoxSizer(wxVERTICAL);
        row->Add(body_, 0);
        if (step <= 5) {
            picture_ = new CanvasPanel(this, "tank picture", [this](platform::Canvas& c, platform::Rect area) {
                TankWizardForms typed;
                Store(typed);
                DrawTankPicture(c, area, step_, typed, sheet_->Doc().scenario);
            });
            picture_->SetMinSize(FromDIP(wxSize(260, 240)));
            row->Add(picture_, 1, wxEXPAND | wxLEFT, FromDIP(16));
            Bind(wxEVT_TEXT, [this](wxCommandEvent& e) {
                e.Skip();
                RefreshPicture();
            });
            Bind(wxEVT_CHOICE, [this](wxCommandEvent& e) {
                e.Skip();
                RefreshPicture();
            });
        }
        top->Add(row, 1, wxEXPAND);
        SetSizer(top);
    }
    int Step() const { return step_; }
    virtual void Load(const TankWizardForms& forms) = 0;
    virtual void Store(TankWizardForms& forms) const = 0;
    // The picture of the step (none on step 6).
    wxWindow* Picture() const { return picture_; }
    void RefreshPicture() {
        if (picture_) picture_->Refresh();
    }

protected:
    // A radio button of a two-mode step: a click stores the mode at once
    // and enables the mode's fields.
    wxRadioButton* ModeButton(const wxString& label, bool first) {
        auto* radio = new wxRadioButton(this, wxID_ANY, label, wxDefaultPosition, wxDefaultSize,
                                        first ? wxRB_GROUP : 0);
        radio->SetName(first ? "first mode" : "second mode");
        radio->Bind(wxEVT_RADIOBUTTON, [this, first](wxCommandEvent&) {
            sheet_->Rules().SetMode(step_, first);
            ApplyMode(first);
            RefreshPicture();
        });
        (first ? first_ : second_) = radio;
        return radio;
    }
    void ApplyMode(bool first) {
        first_->SetValue(first);
        second_->SetValue(!first);
        for (wxWindow* w : firstFields_) w->Enable(first);
        for (wxWindow* w : secondFields_) w->Enable(!first);
    }
    bool FirstMode() const { return first_->GetValue(); }

    wxBoxSizer* body_ = nullptr;
    CLeakingTankPropertySheet* sheet_;
    wxRadioButton* first_ = nullptr;
    wxRadioButton* second_ = nullptr;
    std::vector<wxWindow*> firstFields_, secondFields_;

private:
    int step_;
    wxWindow* picture_ = nullptr;
};

namespace {

class CLeakingTankPropertyPage1 final : public CLeakingTankPropertyPage {
public:
    explicit CLeakingTankPropertyPage1(CLeakingTankPropertySheet* sheet) : CLeakingTankPropertyPage(sheet, 1) {
        auto* grid = new wxFlexGridSizer(2, FromDIP(6), FromDIP(10));
        length_ = MakeEdit(this, "length");
        width_ = MakeEdit(this, "width");
        height_ = MakeEdit(this, "height");
        unit_ = MakeChoice(this, kTankLengthUnits, "unit");
        grid->Add(Label(this, "&Length"), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(length_);
        grid->Add(Label(this, "&Width"), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(width_);
        grid->Add(Label(this, "H&eight"), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(height_);
        grid->Add(Label(this, "&Units"), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(unit_);
        body_->Add(grid);
    }
    void Load(const TankWizardForms& forms) override {
        ShowText(length_, forms.size.length);
        ShowText(width_, forms.size.width);
        ShowText(height_, forms.size.height);
        ShowSelection(unit_, forms.size.unit);
    }
    void Store(TankWizardForms& forms) const override {
        forms.size = {TextOf(length_), TextOf(width_), TextOf(height_), SelectionOf(unit_)};
    }

private:
    wxTextCtrl *length_, *width_, *height_;
    wxChoice* unit_;
};

// Steps 2, 4 and 5: a value with its unit, or a percent.
class TwoModePage : public CLeakingTankPropertyPage {
public:
    // stacked: each mode's fields on a line of their own under its button
    // (the long texts of steps 4 and 5 leave the picture its room).
    template <std::size_t N>
    TwoModePage(CLeakingTankPropertySheet* sheet, int step, const wxString& firstLabel,
                const std::array<const char*, N>& units, const wxString& after, const wxString& secondLabel,
                const wxString& percentAfter, bool stacked)
        : CLeakingTankPropertyPage(sheet, step) {
        // Made in Tab order: each mode's button, then its fields.
        wxRadioButton* first = ModeButton(firstLabel, true);
        value_ = MakeEdit(this, "value");
        unit_ = MakeChoice(this, units, "unit");
        wxStaticText* afterValue = Label(this, after);
        wxRadioButton* second = ModeButton(secondLabel, false);
        percent_ = MakeEdit(this, "percent");
        wxStaticText* afterPercent = Label(this, percentAfter);
        auto* valueRow = new wxBoxSizer(wxHORIZONTAL);
        valueRow->Add(value_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
        valueRow->Add(unit_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
        valueRow->Add(afterValue, 0, wxALIGN_CENTER_VERTICAL);
        auto* percentRow = new wxBoxSizer(wxHORIZONTAL);
        percentRow->Add(percent_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
        percentRow->Add(afterPercent, 0, wxALIGN_CENTER_VERTICAL);
        firstFields_ = {value_, unit_};
        secondFields_ = {percent_};
        if (stacked) {
            const int indent = FromDIP(24);
            body_->Add(first, 0, wxBOTTOM, FromDIP(6));
            body_->Add(valueRow, 0, wxLEFT | wxBOTTOM, indent);
            body_->Add(second, 0, wxBOTTOM, FromDIP(6));
            body_->Add(percentRow, 0, wxLEFT, indent);
            return;
        }
        auto* grid = new wxFlexGridSizer(2, FromDIP(10), FromDIP(6));
        grid->Add(first, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(valueRow, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(second, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(percentRow, 0, wxALIGN_CENTER_VERTICAL);
        body_->Add(grid);
    }

protected:
    void LoadFields(bool first, const std::string& value, int unit, const std::string& percent) {
        ShowText(value_, value);
        ShowSelection(unit_, unit);
        ShowText(percent_, percent);
        ApplyMode(first);
    }
    wxTextCtrl *value_, *percent_;
    wxChoice* unit_;
};

class CLeakingTankPropertyPage2 final : public TwoModePage {
public:
    explicit CLeakingTankPropertyPage2(CLeakingTankPropertySheet* sheet)
        : TwoModePage(sheet, 2, "&Amount of Liquid", kTankAmountUnits, "", "&Tank is ", "% full by volume.", false) {}
    void Load(const TankWizardForms& f) override {
        LoadFields(f.amount.amountKnown, f.amount.amount, f.amount.unit, f.amount.percent);
    }
    void Store(TankWizardForms& f) const override {
        f.amount = {FirstMode(), TextOf(value_), SelectionOf(unit_), TextOf(percent_)};
    }
};

// Steps 4 and 5 share their form type.
class HeightPage final : public TwoModePage {
public:
    HeightPage(CLeakingTankPropertySheet* sheet, int step, const wxString& firstLabel, const wxString& secondLabel,
               const wxString& percentAfter)
        : TwoModePage(sheet, step, firstLabel, kTankLengthUnits, "above the bottom of the tank", secondLabel,
                      percentAfter, true) {}
    void Load(const TankWizardForms& f) override {
        const TankHeightForm& h = Step() == 4 ? f.holeHeight : f.waterLevel;
        LoadFields(h.heightKnown, h.height, h.unit, h.percent);
    }
    void Store(TankWizardForms& f) const override {
        (Step() == 4 ? f.holeHeight : f.waterLevel) = {FirstMode(), TextOf(value_), SelectionOf(unit_), TextOf(percent_)};
    }
};

class CLeakingTankPropertyPage3 final : public CLeakingTankPropertyPage {
public:
    explicit CLeakingTankPropertyPage3(CLeakingTankPropertySheet* sheet) : CLeakingTankPropertyPage(sheet, 3) {
        // Made in Tab order: each shape's button, then its fields.
        const int indent = FromDIP(24);
        body_->Add(ModeButton("Circular &Opening", true), 0, wxBOTTOM, FromDIP(6));
        auto* diameterLabel = Label(this, "&Diameter");
        diameter_ = MakeEdit(this, "diameter");
        diameterUnit_ = MakeChoice(this, kTankHoleUnits, "diameter unit");
        auto* circle = new wxBoxSizer(wxHORIZONTAL);
        circle->Add(diameterLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
        circle->Add(diameter_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
        circle->Add(diameterUnit_, 0, wxALIGN_CENTER_VERTICAL);
        body_->Add(circle, 0, wxLEFT | wxBOTTOM, indent);

        body_->Add(ModeButton("&Rectangular Opening", false), 0, wxBOTTOM, FromDIP(6));
        auto* lengthLabel = Label(this, "&Length");
        rectLength_ = MakeEdit(this, "rectangle length");
        auto* heightLabel = Label(this, "Hei&ght");
        rectHeight_ = MakeEdit(this, "rectangle height");
        rectUnit_ = MakeChoice(this, kTankHoleUnits, "rectangle unit");
        auto* rect = new wxBoxSizer(wxHORIZONTAL);
        rect->Add(lengthLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
        rect->Add(rectLength_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(12));
        rect->Add(heightLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
        rect->Add(rectHeight_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
        rect->Add(rectUnit_, 0, wxALIGN_CENTER_VERTICAL);
        body_->Add(rect, 0, wxLEFT, indent);
        firstFields_ = {diameterLabel, diameter_, diameterUnit_};
        secondFields_ = {lengthLabel, rectLength_, heightLabel, rectHeight_, rectUnit_};
    }
    void Load(const TankWizardForms& forms) override {
        const TankOpeningForm& f = forms.opening;
        ShowText(diameter_, f.diameter);
        ShowSelection(diameterUnit_, f.diameterUnit);
        ShowText(rectLength_, f.rectLength);
        ShowText(rectHeight_, f.rectHeight);
        ShowSelection(rectUnit_, f.rectUnit);
        ApplyMode(f.round);
    }
    void Store(TankWizardForms& forms) const override {
        forms.opening = {FirstMode(),      TextOf(diameter_),   SelectionOf(diameterUnit_),
                         TextOf(rectLength_), TextOf(rectHeight_), SelectionOf(rectUnit_)};
    }

private:
    wxTextCtrl *diameter_, *rectLength_, *rectHeight_;
    wxChoice *diameterUnit_, *rectUnit_;
};

class CLeakingTankPropertyPage6 final : public CLeakingTankPropertyPage {
public:
    explicit CLeakingTankPropertyPage6(CLeakingTankPropertySheet* sheet)
        : CLeakingTankPropertyPage(sheet, 6), time_(this) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->Add(Label(this, "The leak &starts on"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(8));
        row->Add(time_.Sizer(), 0, wxALIGN_CENTER_VERTICAL);
        body_->Add(row, 0, wxBOTTOM, FromDIP(18));
        body_->Add(Label(this, "1. The tank release results will change if a different oil is selected."), 0,
                   wxBOTTOM, FromDIP(6));
        body_->Add(Label(this, "2. The tank release assumes that the tank is vented."));
    }
    void Load(const TankWizardForms& forms) override { time_.Set(forms.time.pick); }
    void Store(TankWizardForms& forms) const override { forms.time.pick = time_.Get(); }

private:
    TimePickCtrls time_;
};

// A graph of step 7: the whole window is its area.
class TankGraphPanel final : public wxPanel {
public:
    TankGraphPanel(wxWindow* parent, const char* name, std::function<void(platform::Canvas&, platform::Rect)> draw)
        : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE),
          draw_(std::move(draw)) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        SetName(name);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxAutoBufferedPaintDC dc(this);
            dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
            dc.Clear();
            platform::WxDcCanvas canvas = platform::WxDcCanvas::ForWindow(dc, *this);
            // The last time label is centred on the box's right edge: room
            // for its right half.
            const int room = 4 * platform::mmPixels(canvas.ppiX());
            const wxSize size = GetClientSize();
            draw_(canvas, {0, 0, size.x - room, size.y});
        });
    }
    // Keyboard focus has nothing to do here.
    bool AcceptsFocus() const override { return false; }

private:
    std::function<void(platform::Canvas&, platform::Rect)> draw_;
};

wxWindow* Swatch(wxWindow* parent, platform::Rgb colour) {
    auto* swatch = new wxPanel(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(14, 14)), wxBORDER_SIMPLE);
    swatch->SetBackgroundColour(wxColour(colour.r, colour.g, colour.b));
    return swatch;
}

}  // namespace

CLeakingTankPropertyPage7::CLeakingTankPropertyPage7(CLeakingTankPropertySheet* sheet, document::SpillDocCore& doc)
    : wxWizardPageSimple(sheet), page_(doc), messages_(doc.Messages()) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* heading = Label(this, TankStepHeading(7));
    heading->SetFont(heading->GetFont().Bold().Larger());
    top->Add(heading, 0, wxBOTTOM, FromDIP(8));
    top->Add(Label(this, kTankResultIntro), 0, wxBOTTOM, FromDIP(6));

    auto* box = new wxStaticBoxSizer(wxHORIZONTAL, this);
    frame_ = box->GetStaticBox();
    auto* texts = new wxBoxSizer(wxVERTICAL);
    total_ = new wxStaticText(frame_, wxID_ANY, wxEmptyString);
    duration_ = new wxStaticText(frame_, wxID_ANY, wxEmptyString);
    texts->Add(total_, 0, wxBOTTOM, FromDIP(4));
    texts->Add(duration_);
    box->Add(texts, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(6));
    box->Add(new wxStaticText(frame_, wxID_ANY, "&Units of the release"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
             FromDIP(6));
    unit_ = MakeChoice(frame_, kTankReleaseUnits, "release unit");
    box->Add(unit_, 0, wxALIGN_CENTER_VERTICAL | wxALL, FromDIP(6));
    top->Add(box, 0, wxEXPAND);

    // The graphs are placed over the two sides of this row (PlaceGraphs);
    // the legend stands between them.
    const int mm = platform::mmPixels(wxScreenDC().GetPPI().x);
    auto* middle = new wxBoxSizer(wxHORIZONTAL);
    auto* legend = new wxFlexGridSizer(2, FromDIP(8), FromDIP(4));
    const std::pair<platform::Rgb, const char*> keys[] = {
        {kTankOilColour, "Oil"}, {kTankWaterColour, "Water"}, {kTankHoleColour, "Hole"}};
    for (const auto& [colour, name] : keys) {
        wxWindow* swatch = Swatch(this, colour);
        if (!firstSwatch_) firstSwatch_ = swatch;
        legend->Add(swatch, 0, wxALIGN_CENTER_VERTICAL);
        legend->Add(Label(this, name), 0, wxALIGN_CENTER_VERTICAL);
    }
    middle->AddStretchSpacer(1);
    middle->Add(legend, 0, wxALIGN_CENTER_VERTICAL);
    // Room for the release graph, which ends 5 mm short of the right edge.
    middle->AddSpacer(6 * mm);
    middle->AddStretchSpacer(1);
    top->Add(middle, 1, wxEXPAND | wxTOP, 6 * mm);

    auto* captions = new wxBoxSizer(wxHORIZONTAL);
    levelCaption_ = Label(this, kTankScreenTimeCaption);
    releaseCaption_ = Label(this, kTankScreenTimeCaption);
    captions->Add(levelCaption_);
    captions->AddStretchSpacer();
    captions->Add(releaseCaption_);
    top->Add(captions, 0, wxEXPAND | wxTOP, mm);

    print_ = new wxButton(this, wxID_ANY, "&Print");
    print_->SetName("print");
    print_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Print(); });
    top->Add(print_, 0, wxTOP, FromDIP(8));
    SetSizer(top);

    levelGraph_ = new TankGraphPanel(this, "level graph", [this](platform::Canvas& c, platform::Rect r) {
        page_.DrawLevel(c, r, TankMedium::Screen);
    });
    releaseGraph_ = new TankGraphPanel(this, "release graph", [this](platform::Canvas& c, platform::Rect r) {
        page_.DrawRelease(c, r, ReleaseUnit(), TankMedium::Screen);
    });
    unit_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { releaseGraph_->Refresh(); });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        CallAfter([this] { PlaceGraphs(); });
    });
}

void CLeakingTankPropertyPage7::PlaceGraphs() {
    Layout();
    auto rect = [](const wxWindow* w) {
        const wxRect r = w->GetRect();
        return platform::Rect{r.x, r.y, r.x + r.width, r.y + r.height};
    };
    const int mmX = platform::mmPixels(wxScreenDC().GetPPI().x);
    const int mmY = platform::mmPixels(wxScreenDC().GetPPI().y);
    TankPageControls controls;
    controls.textFrame = rect(frame_);
    controls.caption = rect(levelCaption_);
    controls.swatch = rect(firstSwatch_);
    controls.pageLeft = 0;
    controls.pageRight = GetClientSize().x;
    const TankAreas areas = TankScreenAreas(controls, mmX, mmY);
    auto place = [](wxWindow* w, const platform::Rect& r) {
        w->SetSize(r.left, r.top, std::max(r.width(), 1), std::max(r.height(), 1));
    };
    place(levelGraph_, areas.level);
    place(releaseGraph_, areas.release);
    // Each caption centred under its graph.
    auto centre = [](wxWindow* caption, const platform::Rect& r) {
        caption->Move((r.left + r.right - caption->GetSize().x) / 2, caption->GetPosition().y);
    };
    centre(levelCaption_, areas.level);
    centre(releaseCaption_, areas.release);
}

void CLeakingTankPropertyPage7::ShowResult() {
    total_->SetLabelText(platform::ToWx(page_.TotalText()));
    duration_->SetLabelText(platform::ToWx(page_.DurationText()));
    Layout();
    PlaceGraphs();
    levelGraph_->Refresh();
    releaseGraph_->Refresh();
}

void CLeakingTankPropertyPage7::Print() {
    const int unit = ReleaseUnit();
    platform::PrintPager printout(platform::kAppTitle, [this, unit](platform::Canvas& c) { page_.Print(c, unit); });
    platform::PrintThroughDialog(this, printout, messages_, false);
}

int CLeakingTankPropertyPage7::ReleaseUnit() const { return SelectionOf(unit_); }

CLeakingTankPropertySheet::CLeakingTankPropertySheet(wxWindow* parent, document::SpillDocCore& doc)
    : doc_(doc), rules_(doc) {
    SetExtraStyle(GetExtraStyle() | wxWIZARD_EX_HELPBUTTON);
    Create(parent, wxID_ANY, kTankWizardTitle, wxNullBitmap, wxDefaultPosition,
           wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    inputs_ = {new CLeakingTankPropertyPage1(this),
               new CLeakingTankPropertyPage2(this),
               new CLeakingTankPropertyPage3(this),
               new HeightPage(this, 4, "&Distance of the hole", "&Position of the hole",
                              "% of the way to the top of the tank"),
               new HeightPage(this, 5, "&Exterior water level", "Exterior water level &at",
                              "% of the height of the tank"),
               new CLeakingTankPropertyPage6(this)};
    result_ = new CLeakingTankPropertyPage7(this, doc);
    result_->SetMinSize(FromDIP(wxSize(760, 440)));
    ShowSelection(result_->UnitChoice(), rules_.ReleaseUnit());
    for (std::size_t i = 0; i + 1 < inputs_.size(); ++i) wxWizardPageSimple::Chain(inputs_[i], inputs_[i + 1]);
    wxWizardPageSimple::Chain(inputs_.back(), result_);
    for (CLeakingTankPropertyPage* page : inputs_) GetPageAreaSizer()->Add(page);
    GetPageAreaSizer()->Add(result_);

    Bind(wxEVT_WIZARD_PAGE_CHANGING, &CLeakingTankPropertySheet::OnPageChanging, this);
    Bind(wxEVT_WIZARD_PAGE_SHOWN, &CLeakingTankPropertySheet::OnPageShown, this);
    Bind(wxEVT_WIZARD_HELP, [this](wxWizardEvent&) { ShowHelp(); });
    Bind(wxEVT_WIZARD_FINISHED, [this](wxWizardEvent&) { rules_.Finish(result_->ReleaseUnit()); });
    BindHelpKeys(*this, [this] { ShowHelp(); });
}

wxWizardPageSimple* CLeakingTankPropertySheet::Page(int step) const {
    if (step >= 1 && step <= 6) return inputs_[static_cast<std::size_t>(step - 1)];
    return step == 7 ? result_ : nullptr;
}

int CLeakingTankPropertySheet::CurrentStep() const {
    for (int step = 1; step <= kTankSteps; ++step)
        if (GetCurrentPage() == Page(step)) return step;
    return 0;
}

void CLeakingTankPropertySheet::ShowHelp() {
    ShowHelpDialog(this, CurrentStep() == 7 ? HelpDialog::LeakingTankGraphs : HelpDialog::LeakingTankInputs);
}

void CLeakingTankPropertySheet::OnPageChanging(wxWizardEvent& e) {
    // Back neither checks nor stores; step 7 has nothing to check.
    auto* page = dynamic_cast<CLeakingTankPropertyPage*>(e.GetPage());
    if (!e.GetDirection() || !page) return;
    page->Store(forms_);
    if (!ShowCheck(rules_.Next(page->Step(), forms_), doc_.Messages())) e.Veto();
}

void CLeakingTankPropertySheet::OnPageShown(wxWizardEvent& e) {
    // Every showing has what the document holds: text typed on a page left
    // by Back is gone.
    if (auto* page = dynamic_cast<CLeakingTankPropertyPage*>(e.GetPage())) {
        rules_.LoadStep(page->Step(), forms_);
        page->Load(forms_);
        page->RefreshPicture();
    } else if (e.GetPage() == result_) {
        result_->ShowResult();
    }
    e.Skip();
}

bool CLeakingTankPropertySheet::Run() {
    const bool finished = RunWizard(inputs_.front());
    if (!finished) rules_.Cancel();
    return finished;
}

bool RunTankWizard(wxWindow* parent, document::SpillDocCore& doc) {
    CLeakingTankPropertySheet sheet(parent, doc);
    return sheet.Run();
}

}  // namespace ui
