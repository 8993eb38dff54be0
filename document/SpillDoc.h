// The scenario document without its windows: the scenario, the session
// state, the model, the shared oil libraries, every input command's
// derivation, Solve, and opening and saving the scenario file. The GUI
// document owns one and binds its ports to windows; tests bind fakes.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "document/Interfaces.h"
#include "document/OutputWindows.h"
#include "document/Scenario.h"
#include "model/WeatheringCore.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

namespace oillib {
class COilLibrary;
}

namespace document {

// The application's two libraries, shared by every open scenario (not
// owned; either may be missing).
struct OilLibraries {
    oillib::COilLibrary* standard = nullptr;
    oillib::COilLibrary* custom = nullptr;
};

struct DocPorts {
    IDialogRunner* dialogs = nullptr;      // none: every dialog counts as cancelled
    platform::IMessages* messages = nullptr;  // none: the process default
    IStatus* status = nullptr;             // none: a status of its own
    IOutputWindows* outputs = nullptr;     // none: no windows
    const platform::IClock* clock = nullptr;  // none: the process default
};

inline constexpr const char* kRunningText = "Running";
inline constexpr const char* kReselectOilText =
    "The selected oil for this scenario could not be read from the current Oil Library. Please re-select an oil.";
inline constexpr const char* kCustomOilSuffix = " (custom oil)";

// The texts of a failed standard-library load, by LoadIndex result. A
// missing file names the folder searched, when known.
std::string LibraryLoadMessage(int loadResult, const std::string& folder = {});

class SpillDocCore {
public:
    // The spill time and every other time start at the clock's "now".
    // Writes past the process's file-size limit fail and are reported from
    // then on (platform::KeepRunningPastFileSizeLimit).
    SpillDocCore(OilLibraries libraries, DocPorts ports);
    ~SpillDocCore();
    SpillDocCore(const SpillDocCore&) = delete;
    SpillDocCore& operator=(const SpillDocCore&) = delete;

    Scenario scenario;
    SessionState session;

    model::CWeatheringCore& Model() { return *core_; }
    const model::CWeatheringCore& Model() const { return *core_; }
    const OilLibraries& Libraries() const { return libraries_; }
    platform::IMessages& Messages() const { return *messages_; }
    const platform::IClock& Clock() const { return *clock_; }

    // ---- Input commands: each runs its dialog and derives on OK ----
    void EditRelease();
    void EditWindWave();
    void EditWater();
    void SelectStandardOil();
    void SelectCustomOil();
    void EditEmulsification();
    void EditDispersant();
    void EditInSituBurn();
    void EditMechanical();
    void EditBeaching();

    // ---- Solve: checks, loads and runs the model, writes the input dump,
    // opens the budget graph. True when the scenario is now solved. ----
    bool Solve();
    // The parts of Solve, for callers that need them one by one.
    void LoadModel();  // Reset, then every setter in the model's order
    // PrepareRun, Spread and Solve with the dump, each only when the one
    // before it succeeded; the model status of the first that did not.
    int RunModel();

    // The folder of the dump files ("TavroInput.dmp" and the model's
    // files); empty means the current directory.
    void SetOutputFolder(std::string folder) { outputFolder_ = std::move(folder); }
    const std::string& OutputFolder() const { return outputFolder_; }

    // ---- The file ----
    void OnNewDocument();
    // Loads the file; on failure shows why and keeps the scenario as it was.
    bool OnOpenDocument(const std::string& path);
    // Saves safely; on failure shows why and the old file stays.
    bool OnSaveDocument(const std::string& path);
    void OnCloseDocument();

    // ---- Output windows (open, toggle, modes, the idle refresh) ----
    OutputWindowsLogic& Outputs() { return *outputsLogic_; }
    const OutputWindowsLogic& Outputs() const { return *outputsLogic_; }

    // ---- Derived values (the leaking-tank wizard, the printout) ----
    // Water temperature in K and salinity; -999 for both with no water
    // temperature, -999 K for an unknown unit code.
    void GetWaterTempAndSalinity(double& tempK, double& salinity) const;
    // Oil density (kg/m3) at the water temperature; refTemp (optional)
    // receives the reference temperature used.
    double GetOilDensity(double* refTemp = nullptr) const;
    // Sea-water density (kg/m3) at the water temperature and salinity.
    double GetWaterDensity() const;
    // Loads the tank into the model and computes its leak into
    // m_dTankLeakDuration and m_dTankTotalRelease. False when the model
    // refused the tank (nothing computed).
    bool ComputeTankLeak();

    bool IsModified() const { return session.modified; }
    void SetModified(bool modified) { session.modified = modified; }

private:
    bool RunDialog(DialogKind kind);
    // An operation sheet writes its variables while it is open; one that
    // does not end with OK has the scenario of its opening put back, so the
    // tree, the file and the next Solve keep what the last OK made.
    bool RunOperationSheet(DialogKind kind);
    // The library's date text ("" when there is none).
    std::string LibraryDate(oillib::COilLibrary* library) const;
    int LoadStandardIndex();
    std::string LibraryFolder() const;
    void CheckOilDate();
    void InputAccepted() { session.modified = true; }

    OilLibraries libraries_;
    IDialogRunner* dialogs_;
    platform::IMessages* messages_;
    IStatus* status_;
    IOutputWindows* outputs_;
    const platform::IClock* clock_;
    std::unique_ptr<NullStatus> ownStatus_;
    std::unique_ptr<NullOutputWindows> ownOutputs_;
    std::unique_ptr<model::CWeatheringCore> core_;
    std::string outputFolder_;
    std::unique_ptr<OutputWindowsLogic> outputsLogic_;
};

}  // namespace document
