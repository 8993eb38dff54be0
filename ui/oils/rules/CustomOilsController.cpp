#include "ui/oils/rules/CustomOilsController.h"

#include "ui/common/rules/CheckResult.h"
#include "platform/TextCut.h"
#include "ui/oils/rules/CustomOilId.h"
#include "ui/oils/rules/CustomOilValidator.h"
#include "ui/oils/rules/StandardOilsRules.h"

namespace ui {

using platform::MsgIcon;

std::string CustomLibraryUnreadableText(const std::string& folder, const std::string& reason) {
    return "Unable to read the Custom Oil Library\n\nThe file 'CustomLib' in the folder " + folder +
           " cannot be read: " + reason + ". It has not been changed. Replace or remove it to use custom oils.";
}

std::string RestoreCustomLibraryText(const oillib::COilLibrary& lib, bool missing, const oillib::SBackupInfo& backup) {
    const std::string file = lib.GetPath().filename().string();
    std::string copy = "the previous copy";
    if (!backup.date.empty()) copy += " of " + backup.date;
    copy += " with " + std::to_string(backup.oils) + (backup.oils == 1 ? " oil" : " oils");
    return "Custom Oil Library " + std::string(missing ? "missing" : "empty") + "\n\nThe file '" + file +
           "' in the folder " + lib.GetPath().parent_path().string() + (missing ? " is missing" : " is empty") +
           ". Restore " + copy + " ('" + lib.GetBackupPath().filename().string() + "')?\n\nNo starts a new "
           "library and keeps the previous copy.";
}

std::string RestoreFailedText(const oillib::COilLibrary& lib) {
    std::string text = "Unable to restore the Custom Oil Library\n\nThe previous copy '" +
                       lib.GetBackupPath().filename().string() + "' could not be put back";
    if (!lib.GetErrorText().empty()) text += ": " + lib.GetErrorText();
    return text + ". Nothing has been changed.";
}

namespace {

// A failure's text, then the library's reason when it has one.
std::string WithReason(const char* text, const oillib::COilLibrary& lib) {
    std::string out = text;
    if (!lib.GetErrorText().empty()) out += "\n\n" + lib.GetErrorText();
    return out;
}

std::string FolderOf(const oillib::COilLibrary& lib) { return lib.GetPath().parent_path().string(); }

}  // namespace

CustomOilsController::CustomOilsController(document::SpillDocCore& doc, ICustomOilsUi& ui)
    : doc_(doc), ui_(ui), lib_(doc.Libraries().custom), list_(nullptr), current_(doc.scenario.OilIndex) {}

void CustomOilsController::Show(const std::string& text, MsgIcon icon) {
    doc_.Messages().Show(text, icon, platform::MsgButtons::Ok);
}

CustomOilsController::BackupAnswer CustomOilsController::OfferBackup(bool missing) {
    const std::optional<oillib::SBackupInfo> backup = lib_->ReadBackupInfo();
    if (!backup) return BackupAnswer::None;
    const platform::MsgResult answer = doc_.Messages().Show(RestoreCustomLibraryText(*lib_, missing, *backup),
                                                            MsgIcon::Question, platform::MsgButtons::YesNo);
    if (answer != platform::MsgResult::Yes) return BackupAnswer::None;
    if (lib_->RestoreBackup() == oillib::kResultOk) return BackupAnswer::Restored;
    Show(RestoreFailedText(*lib_));
    return BackupAnswer::Failed;
}

bool CustomOilsController::Open() {
    if (!lib_) return false;
    int rc = lib_->LoadIndex();
    // A missing or empty file holds nothing to lose: its backup, when the
    // user wants it back, or a new library.
    const bool missing = rc == oillib::kResultMissing;
    if (missing || (rc != oillib::kResultOk && lib_->IsFileEmpty())) {
        switch (OfferBackup(missing)) {
            case BackupAnswer::Restored: rc = oillib::kResultOk; break;
            case BackupAnswer::Failed: return false;
            case BackupAnswer::None: rc = oillib::kResultMissing; break;
        }
    }
    if (rc == oillib::kResultMissing) {
        bool made = false;
        switch (ui_.ChooseFirstOil()) {
            case FirstOilChoice::Select: made = CreateFirstOil(true); break;
            case FirstOilChoice::Blank: made = CreateFirstOil(false); break;
            case FirstOilChoice::Cancel: break;
        }
        if (!made) return false;
    } else if (rc != oillib::kResultOk) {
        // Not a library (or unreadable): saving would write over it.
        std::string reason = lib_->GetErrorText();
        if (reason.empty()) reason = "the file could not be read (error " + std::to_string(rc) + ")";
        Show(CustomLibraryUnreadableText(FolderOf(*lib_), reason));
        return false;
    }
    Refill();
    return true;
}

void CustomOilsController::Refill(std::optional<oillib::FileOffset> select) {
    list_ = OilListModel(lib_ ? lib_->GetIndex() : nullptr);
    row_ = select ? list_.RowOf(*select) : -1;
    // The scenario's oil when it is a custom oil still listed, else row 0.
    if (row_ < 0) row_ = list_.InitialRow(doc_.session.m_bStandardOil == 0, current_);
}

std::optional<oillib::FileOffset> CustomOilsController::SelectedOffset() const {
    if (row_ < 0 || static_cast<std::size_t>(row_) >= list_.Size()) return std::nullopt;
    return list_.Rows()[static_cast<std::size_t>(row_)].offset;
}

void CustomOilsController::SortBy(int column) {
    const std::optional<oillib::FileOffset> offset = SelectedOffset();
    list_.SortBy(column);
    row_ = offset ? list_.RowOf(*offset) : -1;
}

bool CustomOilsController::ReadOil(oillib::FileOffset offset) {
    int rc = lib_->ReadRecordAt(offset);
    // An oil's line always has fields; none means the file changed under us.
    if (rc == oillib::kResultOk && lib_->GetFieldCount() == 0) rc = oillib::kResultFailed;
    if (rc == oillib::kResultOk) return true;
    std::string reason = lib_->GetErrorText();
    if (reason.empty()) reason = "the oil's line could not be read; the file may have been changed elsewhere";
    Show(CustomLibraryUnreadableText(FolderOf(*lib_), reason));
    lib_->LoadIndex();  // the list shows what the file holds now
    Refill();
    return false;
}

void CustomOilsController::NewOilId() {
    current_ = oillib::kNewRecord;
    lib_->SetFieldText(MakeCustomOilId(doc_.Clock().Now(), doc_.session), lib_->ColumnToField(oillib::COL_OIL_ID));
}

bool CustomOilsController::CopyStandardOil() {
    oillib::COilLibrary* standard = doc_.Libraries().standard;
    const int rc = standard ? standard->LoadIndex() : oillib::kResultMissing;
    if (rc != oillib::kResultOk) {
        Show(document::LibraryLoadMessage(rc, standard ? FolderOf(*standard) : std::string()));
        return false;
    }
    const std::optional<oillib::FileOffset> offset = ui_.PickStandardOil();
    if (!offset) return false;
    const int copied = lib_->CopyFieldsFrom(standard, *offset);
    if (copied != oillib::kResultOk) {
        Show(document::LibraryLoadMessage(copied, FolderOf(*standard)));
        return false;
    }
    return true;
}

bool CustomOilsController::CreateFirstOil(bool copyStandard) {
    if (copyStandard) {
        if (!CopyStandardOil()) return false;
    } else {
        lib_->ClearFields();
    }
    NewOilId();
    return EditCustomOil(oillib::kNewRecord);
}

void CustomOilsController::Add() {
    if (!lib_) return;
    switch (ui_.ChooseAdd()) {
        case AddChoice::Select:
            if (!CopyStandardOil()) return;
            break;
        case AddChoice::Blank: lib_->ClearFields(); break;
        case AddChoice::Copy: {
            const std::optional<oillib::FileOffset> offset = SelectedOffset();
            if (!offset) return Show(kSelectAnOilText);
            if (!ReadOil(*offset)) return;
            break;
        }
        case AddChoice::Cancel: return;
    }
    NewOilId();
    EditCustomOil(oillib::kNewRecord);
}

void CustomOilsController::Edit() {
    const std::optional<oillib::FileOffset> offset = SelectedOffset();
    if (!offset) return Show(kSelectAnOilText);
    current_ = *offset;
    if (!ReadOil(*offset)) return;
    EditCustomOil(*offset);
}

void CustomOilsController::Activate() {
    if (SelectedOffset()) Edit();
}

bool CustomOilsController::EditCustomOil(oillib::FileOffset offset) {
    const OilRecordCopy original = OilRecordCopy::Of(*lib_);
    const CustomOilEditorForm baseline = CustomOilEditorForm::Fill(*lib_);
    CustomOilEditorForm form = baseline;
    CustomOilEditorForm::Place place{CustomOilEditorForm::GeneralInfo, &form.name};
    bool failedSave = false;
    for (;;) {
        if (!ui_.RunEditor(form, place)) {
            // A failed save may have read the file anew.
            if (failedSave) Refill();
            return false;
        }
        place = {CustomOilEditorForm::GeneralInfo, &form.name};
        CheckResult numbers = CustomOilEditorForm::CheckNumbers(form, baseline, &place);
        if (!numbers.ok()) {
            ShowCheck(numbers, doc_.Messages());
            continue;
        }
        CustomOilEditorForm::WriteBack(form, baseline, original, *lib_);
        const CustomOilCheck check = CustomOilValidator::Check(*lib_);
        if (!check.ok()) {
            Show(std::string(kHeaderProblem) + check.text, MsgIcon::Stop);
            place = CustomOilEditorForm::PlaceOf(form, check.column);
            continue;
        }
        // The oil's place in file order: a save over it keeps it there (its
        // offset moves with the header line), a new oil comes last.
        std::optional<std::size_t> position;
        if (const auto* index = lib_->GetIndex(); index && offset != oillib::kNewRecord)
            for (std::size_t i = 0; i < index->size(); ++i)
                if ((*index)[i].offset == offset) position = i;
        if (lib_->SaveRecord(offset) != oillib::kResultOk) {
            // The file is as it was; the editor comes back with what was typed.
            Show(WithReason(kSaveFailedText, *lib_));
            failedSave = true;
            continue;
        }
        const auto* index = lib_->GetIndex();
        std::optional<oillib::FileOffset> saved;
        if (index && !index->empty())
            saved = position && *position < index->size() ? (*index)[*position].offset : index->back().offset;
        if (saved) current_ = *saved;
        Refill(saved);
        return true;
    }
}

void CustomOilsController::Remove() {
    const std::optional<oillib::FileOffset> offset = SelectedOffset();
    if (!offset) return Show(kSelectAnOilText);
    if (!ui_.ConfirmRemove()) return;
    current_ = *offset;
    if (lib_->DeleteRecord(*offset) != oillib::kResultOk) Show(WithReason(kRemoveFailedText, *lib_));
    Refill();
}

bool CustomOilsController::Select() {
    const std::optional<oillib::FileOffset> offset = SelectedOffset();
    if (!offset) {
        Show(kSelectAnOilText);
        return false;
    }
    current_ = *offset;
    if (!ReadOil(*offset)) return false;
    CopyOilIntoScenario(*lib_, *offset, OilSource::Custom, doc_);
    document::Scenario& s = doc_.scenario;
    s.OilName += document::kCustomOilSuffix;
    platform::CopyToField(s.oil.name, s.OilName);
    return true;
}

}  // namespace ui
