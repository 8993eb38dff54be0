// The "Wind and Waves" dialog: a constant wind with its wave choice, or the
// list of variable winds, each with its compass; it opens the fetch and
// wind uncertainty dialogs.
#pragma once

#include <memory>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "document/SpillDoc.h"
#include "ui/common/TimePickCtrls.h"
#include "ui/inputs/CompassPanel.h"
#include "ui/inputs/FormDialog.h"
#include "ui/inputs/rules/WindWaveRules.h"

class wxPanel;
class wxButton;

namespace ui {

class CWindWaveDialog final : public FormDialog<WindWaveRules, WindWaveForm> {
public:
    CWindWaveDialog(wxWindow* parent, document::SpillDocCore& doc);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    wxListCtrl* List() const;
    CompassPanel* Compass(bool variable) const { return variable ? varCompass_ : constCompass_; }
    wxTextCtrl* Speed(bool variable) const { return variable ? varSpeed_ : speed_; }
    wxTextCtrl* Direction(bool variable) const { return variable ? varDirection_ : direction_; }
    wxTextCtrl* VarWave() const { return varWave_; }
    TimePickCtrls& Pick() { return *pick_; }
    wxChoice* WaveChoice() const { return waveChoice_; }
    wxRadioButton* ModeButton(bool variable) const { return variable ? variable_ : constant_; }
    wxChoice* SpeedUnit(bool variable) const { return variable ? varSpeedUnit_ : speedUnit_; }
    wxTextCtrl* Fetch() const { return fetch_; }
    wxChoice* FetchUnit() const { return fetchUnit_; }
    wxTextCtrl* WaveHeight() const { return waveHeight_; }
    wxChoice* WaveHeightUnit(bool variable) const { return variable ? varWaveUnit_ : waveHeightUnit_; }
    wxButton* AddButton() const { return add_; }
    wxButton* FetchButton() const { return fetchButton_; }
    wxButton* UncertaintyButton() const { return uncertaintyButton_; }

    // The buttons as the user presses them.
    void SetMode(bool variable);
    void AddRecord();
    void RemoveRecord();
    void RemoveAllRecords();

private:
    wxPanel* BuildConstant();
    wxPanel* BuildVariable();
    void ShowMode();
    void ShowWaveGroup();
    void RefreshList();
    void CopySelectedRow();
    void Clicked(platform::Point offset);
    // The mode's speed or direction was typed.
    void Follow();

    document::SpillDocCore& doc_;

    wxRadioButton* constant_ = nullptr;
    wxRadioButton* variable_ = nullptr;
    wxPanel* constPanel_ = nullptr;
    wxPanel* varPanel_ = nullptr;
    wxTextCtrl* speed_ = nullptr;
    wxChoice* speedUnit_ = nullptr;
    wxTextCtrl* direction_ = nullptr;
    wxChoice* waveChoice_ = nullptr;
    wxSizer* heightGroup_ = nullptr;
    wxSizer* fetchGroup_ = nullptr;
    wxSizer* waveSizer_ = nullptr;
    wxTextCtrl* waveHeight_ = nullptr;
    wxChoice* waveHeightUnit_ = nullptr;
    wxTextCtrl* fetch_ = nullptr;
    wxChoice* fetchUnit_ = nullptr;
    CompassPanel* constCompass_ = nullptr;

    std::unique_ptr<TimePickCtrls> pick_;
    wxTextCtrl* varSpeed_ = nullptr;
    wxChoice* varSpeedUnit_ = nullptr;
    wxTextCtrl* varDirection_ = nullptr;
    wxTextCtrl* varWave_ = nullptr;
    wxChoice* varWaveUnit_ = nullptr;
    wxCheckBox* autoIncrement_ = nullptr;
    wxListCtrl* list_ = nullptr;
    CompassPanel* varCompass_ = nullptr;
    wxButton* add_ = nullptr;
    wxButton* fetchButton_ = nullptr;
    wxButton* uncertaintyButton_ = nullptr;
    FocusLeaveHandler leave_;
};

}  // namespace ui
