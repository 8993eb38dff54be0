#include "document/SpillDoc.h"

#include <algorithm>
#include <utility>

#include "document/Derive.h"
#include "document/InputDump.h"
#include "document/ScenarioFile.h"
#include "oillib/OilLibrary.h"
#include "platform/Files.h"

namespace document {

using platform::MsgIcon;

std::string LibraryLoadMessage(int loadResult, const std::string& folder) {
    std::string text = "Unable to read the Oil Library\n\n";
    if (loadResult == oillib::kResultMissing)
        text += "TAVRO cannot find the file. The oil library file is named 'OilLib' and must be in " +
                (folder.empty() ? std::string("the same directory as Tavro2.exe") : "the folder " + folder) +
                ". For now, a default oil and its properties will be used.";
    else if (loadResult == oillib::kResultNotLibrary)
        text += "TAVRO does not recognise the file 'OilLib' as the oil library. You may need to replace the file "
                "or reinstall TAVRO. For now, a default oil and its properties will be used.";
    else
        text += "There was a problem reading the oil library. You may need to replace the 'OilLib' file or "
                "reinstall TAVRO. For now, a default oil and its properties will be used.";
    return text;
}

SpillDocCore::SpillDocCore(OilLibraries libraries, DocPorts ports)
    : scenario((ports.clock ? *ports.clock : platform::DefaultClock()).Now()),
      libraries_(libraries),
      dialogs_(ports.dialogs),
      messages_(ports.messages ? ports.messages : &platform::DefaultMessages()),
      status_(ports.status),
      outputs_(ports.outputs),
      clock_(ports.clock ? ports.clock : &platform::DefaultClock()),
      core_(std::make_unique<model::CWeatheringCore>()) {
    if (!status_) {
        ownStatus_ = std::make_unique<NullStatus>();
        status_ = ownStatus_.get();
    }
    if (!outputs_) {
        ownOutputs_ = std::make_unique<NullOutputWindows>();
        outputs_ = ownOutputs_.get();
    }
    outputsLogic_ = std::make_unique<OutputWindowsLogic>(session, *outputs_);
    core_->SetMessages(messages_);
    // A dump or scenario file that outgrows the file-size limit is then a
    // write error with its message, not the end of the program.
    platform::KeepRunningPastFileSizeLimit();
}

SpillDocCore::~SpillDocCore() = default;

bool SpillDocCore::RunDialog(DialogKind kind) { return dialogs_ && dialogs_->Run(kind, *this); }

bool SpillDocCore::RunOperationSheet(DialogKind kind) {
    const Scenario opened = scenario;
    if (RunDialog(kind)) return true;
    scenario = opened;
    return false;
}

// ---- The shared oil libraries ----------------------------------------------

int SpillDocCore::LoadStandardIndex() {
    if (!libraries_.standard) return oillib::kResultMissing;
    return libraries_.standard->LoadIndex();
}

std::string SpillDocCore::LibraryFolder() const {
    if (!libraries_.standard) return {};
    return libraries_.standard->GetPath().parent_path().string();
}

std::string SpillDocCore::LibraryDate(oillib::COilLibrary* library) const {
    if (!library) return {};
    // Picks up a file another scenario or program rewrote since.
    if (library->LoadIndex() != oillib::kResultOk) return {};
    return library->GetDate();
}

// ---- Input commands ------------------------------------------------------

void SpillDocCore::EditRelease() {
    if (!RunDialog(DialogKind::Release)) return;
    if (DeriveContinuous(scenario)) messages_->Show(kTruncationWarning, MsgIcon::Stop);
    scenario.m_bReleaseInputPassed = 1;
    InputAccepted();
}

void SpillDocCore::EditWindWave() {
    if (!RunDialog(DialogKind::WindWave)) return;
    if (DeriveWind(scenario) == WindResult::NotCovered) messages_->Show(kWindNotCoveredWarning, MsgIcon::Exclamation);
    InputAccepted();
}

void SpillDocCore::EditWater() {
    if (!RunDialog(DialogKind::Water)) return;
    session.m_bChanged[ChangedWater] = 1;
    scenario.m_bWaterInputPassed = 1;
    InputAccepted();
}

void SpillDocCore::SelectStandardOil() {
    const int rc = LoadStandardIndex();
    if (rc != 0) {
        messages_->Show(LibraryLoadMessage(rc, LibraryFolder()), MsgIcon::None);
        return;
    }
    if (!RunDialog(DialogKind::StandardOils)) return;
    scenario.m_bOilInputPassed = 1;
    InputAccepted();
}

void SpillDocCore::SelectCustomOil() {
    if (!RunDialog(DialogKind::CustomOils)) return;
    scenario.m_bOilInputPassed = 1;
    InputAccepted();
}

void SpillDocCore::EditEmulsification() {
    if (!RunDialog(DialogKind::Emulsification)) return;
    DeriveEmulsification(scenario);
    session.m_bChanged[ChangedEmulsification] = 1;
    InputAccepted();
}

void SpillDocCore::EditDispersant() {
    if (!RunOperationSheet(DialogKind::Dispersant)) return;
    DeriveDispersant(scenario);
    session.m_bChanged[ChangedDispersant] = 1;
    InputAccepted();
}

void SpillDocCore::EditInSituBurn() {
    if (!RunOperationSheet(DialogKind::InSituBurn)) return;
    DeriveBurn(scenario);
    session.m_bChanged[ChangedBurn] = 1;
    InputAccepted();
}

void SpillDocCore::EditMechanical() {
    if (!RunOperationSheet(DialogKind::Mechanical)) return;
    DeriveSkimmer(scenario);
    session.m_bChanged[ChangedMechanical] = 1;
    InputAccepted();
}

void SpillDocCore::EditBeaching() {
    if (!RunDialog(DialogKind::Beaching)) return;
    DeriveBeaching(scenario, *clock_);
    session.m_bChanged[ChangedBeaching] = 1;
    InputAccepted();
}

// ---- Solve -----------------------------------------------------------------

void SpillDocCore::LoadModel() {
    model::CWeatheringCore& core = *core_;
    Scenario& s = scenario;
    int* budget = &session.m_iGraphUnits[GraphBudget];
    core.Reset();
    // The oil first: the tons units of the later setters divide by its
    // first density point.
    core.SetOil(s.oil);
    core.SetWindAndWave(s.wind);
    core.SetWater(s.water);
    if (s.instant.flag) {
        core.SetInstantRelease(s.instant);
        *budget = BudgetUnitFor(s.instant.volUnits, *budget);
    }
    if (s.continuous.flag) core.SetContinuousRelease(s.continuous);
    if (s.tank.flag) core.SetTankRelease(s.tank);
    if (s.boomed.flag) {
        // Writes the instantaneous block too, so it comes after it.
        core.SetBoomedRelease(s.boomed);
        *budget = BudgetUnitFor(s.boomed.volUnits, *budget);
    }
    core.SetUncertainty(s.uncertainty);
    if (s.dispersant.num > 0) {
        // The sheet keeps the percent of the area sprayed in `dispersed` and
        // the percent of the sprayed oil dispersed in `sprayed`; the model
        // reads them the other way round.
        model::InputDispersant dispersant = s.dispersant;
        for (int i = 0; i < model::MAX_OPERATIONS; ++i) std::swap(dispersant.sprayed[i], dispersant.dispersed[i]);
        core.SetDispersant(dispersant);
    }
    if (s.burn.num > 0) core.SetBurn(s.burn);
    if (s.skimmer.num > 0) core.SetSkimmer(s.skimmer);
    core.SetBeached(s.beached);
}

int SpillDocCore::RunModel() {
    model::CWeatheringCore& m = *core_;
    m.outputFolder = outputFolder_;
    int status = m.PrepareRun();
    if (status == model::CWeatheringCore::RUN_OK) status = m.Spread();
    if (status == model::CWeatheringCore::RUN_OK) status = m.Solve(true);
    return status;
}

bool SpillDocCore::Solve() {
    const std::string missing = MissingInputsText(scenario);
    if (!missing.empty()) {
        messages_->Show(missing, MsgIcon::Stop);
        return false;
    }
    if (auto warning = PourPointWarning(scenario)) messages_->Show(*warning, MsgIcon::Exclamation);

    RederiveTimedRecords(scenario, *clock_);
    // One solve: a note the model raises in any of its stages shows once.
    core_->Messages().Begin();
    LoadModel();

    status_->Busy(true);
    const std::string kept = status_->Get();
    status_->Set(kRunningText);

    const int rc = RunModel();
    model::CWeatheringCore& m = *core_;
    const bool dumpWritten = WriteInputDump(scenario, m.rho, m.visc, *clock_, outputFolder_, *messages_);
    if (rc == model::CWeatheringCore::RUN_OK) m.SetRemovalBandsToBest();

    status_->Set(kept);
    status_->Busy(false);

    // A run that did not happen, or whose files could not be written, is
    // not a solution: no graph, and unsolved (also after an earlier solve:
    // the model was reset, its results are gone, so the windows of that
    // solve would draw nothing true).
    if (rc != model::CWeatheringCore::RUN_OK || !dumpWritten) {
        session.m_bNotSolved = 1;
        for (int g = 0; g < kGraphCount; ++g) {
            if (session.m_bGraphOpen[g]) outputs_->Close(static_cast<OutputKind>(g));
            session.m_bGraphOpen[g] = 0;
        }
        outputs_->Close(OutputKind::BudgetTable);
        outputs_->Close(OutputKind::IcsTable);
        return false;
    }
    session.m_bChanged[SolvedTree] = 1;
    session.m_bNotSolved = 0;
    session.m_bChanged[SolvedPrint] = 1;
    session.resultsStale = false;
    // Single-graph mode shows one output: the others are closed and their
    // flags cleared, or a second solve would leave a graph pressed that
    // cannot be seen.
    if (!session.m_bMultipleGraphs) {
        Outputs().CloseAll();
        for (int& g : session.m_bGraphOpen) g = 0;
    }
    session.m_bGraphOpen[GraphBudget] = 1;
    Outputs().Open(OutputKind::Budget);
    return true;
}

// ---- The file ----------------------------------------------------------------

namespace {
void ResetOutputFlags(SessionState& s) {
    s.m_bChanged[SolvedTree] = 0;
    s.m_bChanged[SolvedPrint] = 0;
    s.m_bMultipleGraphs = s.startMultipleGraphs;
    s.resultsStale = false;
    for (int& g : s.m_bGraphOpen) g = 0;
}
}  // namespace

void SpillDocCore::OnNewDocument() {
    session.m_bNewGraphsNotice = 0;
    session.m_bNotSolved = 1;
    for (int i = 0; i < kInputChangeFlags; ++i) session.m_bChanged[i] = 1;
    ResetOutputFlags(session);
    session.modified = false;
}

bool SpillDocCore::OnOpenDocument(const std::string& path) {
    LoadResult loaded = LoadScenarioFile(path);
    if (!loaded.scenario) {
        messages_->Show(loaded.error, MsgIcon::Stop);
        return false;
    }
    scenario = std::move(*loaded.scenario);
    session.m_bNewGraphsNotice = 0;
    session.m_bNotSolved = 1;
    session.m_bStandardOil = 1;
    for (int i = 0; i < kInputChangeFlags; ++i) session.m_bChanged[i] = 1;
    CheckOilDate();
    ResetOutputFlags(session);
    session.modified = false;
    return true;
}

void SpillDocCore::CheckOilDate() {
    // Only an entered oil has a library date; a custom oil carries the
    // custom library's date.
    if (!scenario.m_bOilInputPassed) return;
    const bool custom = scenario.OilName.ends_with(kCustomOilSuffix);
    oillib::COilLibrary* library = custom ? libraries_.custom : libraries_.standard;
    if (!library) return;  // no library to compare with (a tool without libraries)
    if (LibraryDate(library) == scenario.OilLibDate) return;
    messages_->Show(kReselectOilText, MsgIcon::None);
    session.m_bChanged[ChangedOil] = 0;
}

bool SpillDocCore::OnSaveDocument(const std::string& path) {
    std::string error;
    if (!SaveScenarioFile(path, scenario, &error)) {
        messages_->Show(error, MsgIcon::Stop);
        return false;
    }
    session.modified = false;
    return true;
}

void SpillDocCore::OnCloseDocument() {
    for (int i = 0; i < kInputChangeFlags; ++i) session.m_bChanged[i] = 1;
    ResetOutputFlags(session);
}

}  // namespace document
