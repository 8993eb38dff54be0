// The weather and water dialogs besides the wind dialog: the fetch and the
// wind uncertainty (opened from the wind dialog), the water with its
// compass, the emulsification onset and the oil beached; and their entries
// in the dialog registry.
#pragma once

#include <array>

#include <wx/sizer.h>

#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/SpillDoc.h"
#include "ui/inputs/FormDialog.h"
#include "ui/inputs/CompassPanel.h"
#include "ui/inputs/rules/EmulsificationRules.h"
#include "ui/inputs/rules/FetchRules.h"
#include "ui/inputs/rules/WaterRules.h"

namespace ui {

// Registers the wind and waves, water, emulsification and beaching dialogs.
void RegisterWeatherDialogs();

class CVarWindFetchDialog final : public FormDialog<FetchRules, FetchForm> {
public:
    CVarWindFetchDialog(wxWindow* parent, document::SpillDocCore& doc);
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    wxTextCtrl* Field(int i) const { return fields_[static_cast<std::size_t>(i)]; }
    wxChoice* Unit() const { return unit_; }

private:
    std::array<wxTextCtrl*, 4> fields_{};
    wxChoice* unit_ = nullptr;
};

class CWindUncertaintyDialog final : public FormDialog<WindUncertaintyRules, WindUncertaintyForm> {
public:
    CWindUncertaintyDialog(wxWindow* parent, document::SpillDocCore& doc);
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    wxTextCtrl* Value() const { return value_; }
    wxChoice* Unit() const { return unit_; }

private:
    wxTextCtrl* value_ = nullptr;
    wxChoice* unit_ = nullptr;
};

class CWaterDialog final : public FormDialog<WaterRules, WaterForm> {
public:
    CWaterDialog(wxWindow* parent, document::SpillDocCore& doc);
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    CompassPanel* Compass() const { return compass_; }
    wxTextCtrl* Temperature() const { return temperature_; }
    wxTextCtrl* Speed() const { return speed_; }
    wxTextCtrl* Direction() const { return direction_; }
    wxChoice* SalinityChoice() const { return salinityChoice_; }
    wxTextCtrl* Salinity() const { return salinity_; }
    wxTextCtrl* Sediment() const { return sediment_; }
    wxChoice* SedimentChoice() const { return sedimentChoice_; }
    wxChoice* TemperatureUnit() const { return temperatureUnit_; }
    wxChoice* SpeedUnit() const { return speedUnit_; }

private:
    void ShowOtherValues();
    void Refused() override;

    wxTextCtrl* temperature_ = nullptr;
    wxChoice* temperatureUnit_ = nullptr;
    wxChoice* salinityChoice_ = nullptr;
    wxSizer* salinityBox_ = nullptr;
    wxSizer* salinityLine_ = nullptr;
    wxTextCtrl* salinity_ = nullptr;
    wxChoice* sedimentChoice_ = nullptr;
    wxSizer* sedimentBox_ = nullptr;
    wxSizer* sedimentLine_ = nullptr;
    wxTextCtrl* sediment_ = nullptr;
    wxTextCtrl* speed_ = nullptr;
    wxChoice* speedUnit_ = nullptr;
    wxTextCtrl* direction_ = nullptr;
    CompassPanel* compass_ = nullptr;
    FocusLeaveHandler leave_;
};

class CEmulsificationDialog final : public FormDialog<EmulsificationRules, EmulsificationForm> {
public:
    CEmulsificationDialog(wxWindow* parent, document::SpillDocCore& doc);
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    wxChoice* Unit() const { return unit_; }
    wxRadioButton* ValueOption() const { return useValue_; }
    wxTextCtrl* Value() const { return value_; }
    wxTextCtrl* Uncertainty() const { return uncertainty_; }

private:
    void ShowChoice();

    wxRadioButton* useDefault_ = nullptr;
    wxRadioButton* useValue_ = nullptr;
    wxTextCtrl* value_ = nullptr;
    wxChoice* unit_ = nullptr;
    wxStaticText* valueLabel_ = nullptr;
    wxStaticText* uncertaintyUnit_ = nullptr;
    wxTextCtrl* uncertainty_ = nullptr;
};

class COilBeachedDialog final : public FormDialog<BeachingRules, BeachingForm> {
public:
    COilBeachedDialog(wxWindow* parent, document::SpillDocCore& doc);
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    wxTextCtrl* Day(int i) const { return days_[static_cast<std::size_t>(i)]; }
    wxChoice* Unit() const { return unit_; }

private:
    std::array<wxTextCtrl*, document::kBeachingDays> days_{};
    wxChoice* unit_ = nullptr;
};

}  // namespace ui
