// The three release set-up dialogs opened from the Release dialog:
// instantaneous, continuous and contained releases.
#pragma once

#include <memory>

#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/SpillDoc.h"
#include "ui/common/TimePickCtrls.h"
#include "ui/inputs/FormDialog.h"
#include "ui/inputs/rules/ReleaseSetupRules.h"

namespace ui {

class CInstantaneousDialog final : public FormDialog<InstantaneousRules, InstantaneousForm> {
public:
    CInstantaneousDialog(wxWindow* parent, document::SpillDocCore& doc);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    TimePickCtrls& Time() { return *time_; }
    wxTextCtrl* Amount() const { return amount_; }
    wxChoice* Units() const { return units_; }

private:
    std::unique_ptr<TimePickCtrls> time_;
    wxTextCtrl* amount_ = nullptr;
    wxChoice* units_ = nullptr;
};

class CContinuousDialog final : public FormDialog<ContinuousRules, ContinuousForm> {
public:
    CContinuousDialog(wxWindow* parent, document::SpillDocCore& doc);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    // Shows the rows of an option (as a click on its button does).
    void ShowOption(int option);

    TimePickCtrls& Time() { return *time_; }
    wxTextCtrl* Duration() const { return duration_; }
    wxChoice* DurationUnits() const { return durationUnits_; }
    wxRadioButton* Option(int option) const { return options_[option]; }
    wxStaticText* ValueLabel() const { return valueLabel_; }
    wxTextCtrl* Value() const { return value_; }
    wxChoice* AmountUnits() const { return amountUnits_; }
    wxChoice* ConstantUnits() const { return constantUnits_; }
    wxChoice* ChangingUnits() const { return changingUnits_; }
    wxStaticText* FinalRateLabel() const { return finalLabel_; }
    wxTextCtrl* FinalRate() const { return finalRate_; }
    wxStaticText* ChangingNote() const { return changingNote_; }
    wxStaticText* Note() const { return note_; }

private:
    int CheckedOption() const;

    std::unique_ptr<TimePickCtrls> time_;
    wxTextCtrl* duration_ = nullptr;
    wxChoice* durationUnits_ = nullptr;
    wxRadioButton* options_[3] = {};
    wxStaticText* valueLabel_ = nullptr;
    wxTextCtrl* value_ = nullptr;
    wxChoice* amountUnits_ = nullptr;
    wxChoice* constantUnits_ = nullptr;
    wxChoice* changingUnits_ = nullptr;
    wxStaticText* finalLabel_ = nullptr;
    wxTextCtrl* finalRate_ = nullptr;
    wxStaticText* changingNote_ = nullptr;
    wxStaticText* note_ = nullptr;
};

class CContainedDialog final : public FormDialog<ContainedRules, ContainedForm> {
public:
    CContainedDialog(wxWindow* parent, document::SpillDocCore& doc);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    TimePickCtrls& Time() { return *time_; }
    wxTextCtrl* Amount() const { return amount_; }
    wxChoice* VolumeUnits() const { return volumeUnits_; }
    wxTextCtrl* Area() const { return area_; }
    wxChoice* AreaUnits() const { return areaUnits_; }

private:
    std::unique_ptr<TimePickCtrls> time_;
    wxTextCtrl* amount_ = nullptr;
    wxChoice* volumeUnits_ = nullptr;
    wxTextCtrl* area_ = nullptr;
    wxChoice* areaUnits_ = nullptr;
};

}  // namespace ui
