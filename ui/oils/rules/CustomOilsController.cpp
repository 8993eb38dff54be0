#include "ui/oils/rules/CustomOilsController.h"

#include "ui/common/rules/CheckResult.h"
#include "ui/common/rules/TextCut.h"
#include "ui/oils/rules/CustomOilId.h"
#include "ui/oils/rules/CustomOilValidator.h"
#include "ui/oils/rules/StandardOilsRules.h"

namespace ui {

using platform::MsgIcon;

std::string CustomLibraryUnreadableText(const std::string& folder, const std::string& reason) {
    return "Unable to read the Custom Oil Library\n\nThe file 'CustomLib' in the folder " + folder +
           " cannot be read: " + reason + ". It has not been changed. Replace or remove it to use custom oils.";
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

bool CustomOilsController::Open() {
    if (!lib_) return false;
    const int rc = lib_->LoadIndex();
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

void CustomOilsController::Refill() {
    list_ = OilListModel(lib_ ? lib_->GetIndex() : nullptr);
    // The scenario's oil when it is a custom oil still listed, else row 0.
    row_ = list_.InitialRow(doc_.session.m_bStandardOil == 0, current_);
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
    for (;;) {
        if (!ui_.RunEditor(form)) return false;
        CheckResult numbers = CustomOilEditorForm::CheckNumbers(form, baseline);
        if (!numbers.ok()) {
            ShowCheck(numbers, doc_.Messages());
            continue;
        }
        CustomOilEditorForm::WriteBack(form, baseline, original, *lib_);
        const CustomOilCheck check = CustomOilValidator::Check(*lib_);
        if (!check.ok()) {
            Show(std::string(kHeaderProblem) + check.text, MsgIcon::Stop);
            continue;
        }
        break;
    }
    if (lib_->SaveRecord(offset) != oillib::kResultOk) Show(WithReason(kSaveFailedText, *lib_));
    current_ = oillib::kNewRecord;
    Refill();
    return true;
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
    CopyToField(s.oil.name, s.OilName);
    return true;
}

}  // namespace ui
