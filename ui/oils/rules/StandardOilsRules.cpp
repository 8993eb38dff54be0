#include "ui/oils/rules/StandardOilsRules.h"

#include "platform/TextCut.h"
#include "ui/oils/rules/LibraryReaders.h"

namespace ui {

namespace {

const std::vector<oillib::SOilLibCell>* IndexOf(oillib::COilLibrary* lib) { return lib ? lib->GetIndex() : nullptr; }

}  // namespace

CheckResult ReadLibraryOil(oillib::COilLibrary& lib, oillib::FileOffset offset) {
    int rc = offset > 0 ? lib.ReadRecordAt(offset) : oillib::kResultFailed;
    // An oil's line always has fields; none means the file changed under us.
    if (rc == oillib::kResultOk && lib.GetFieldCount() == 0) rc = oillib::kResultFailed;
    if (rc == oillib::kResultOk) return {};
    return CheckResult::Refuse(document::LibraryLoadMessage(rc, lib.GetPath().parent_path().string()),
                               platform::MsgIcon::None);
}

CheckResult CheckLibraryOil(const oillib::COilLibrary& lib) {
    const bool noApi = lib.IsFieldEmpty(lib.ColumnToField(7));
    if (noApi && lib.IsFieldEmpty(lib.ColumnToField(24))) return CheckResult::Refuse(kNoApiNorDensityText);
    if (!noApi) {
        const double api = GetLibraryNumber(lib, 7, 4, 1.0f);
        if (api < 6 || api > 100) return CheckResult::Refuse(kApiRangeText);
    }
    return {};
}

void CopyOilIntoScenario(const oillib::COilLibrary& lib, oillib::FileOffset offset, OilSource source,
                         document::SpillDocCore& doc) {
    document::Scenario& s = doc.scenario;
    const bool fahrenheit = s.selF != 0;
    const auto unit = fahrenheit ? model::ELibTempUnit::Fahrenheit : model::ELibTempUnit::Celsius;
    const char* suffix = fahrenheit ? " deg F" : " deg C";

    s.OilIndex = static_cast<int>(offset);
    doc.session.m_bStandardOil = source == OilSource::Standard ? 1 : 0;

    s.OilLibDate = lib.GetDate();
    s.OilTavroID = GetLibraryText(lib, 2, "unknown");
    s.OilName = GetLibraryText(lib, 1, "none");
    s.Location = GetLibraryText(lib, 3, "none listed");
    s.Synonyms = GetLibraryText(lib, 5, "none listed");
    s.ProductType = lib.GetFieldTextLower(lib.ColumnToField(10));
    if (s.ProductType.empty()) s.ProductType = "unknown";
    s.API = GetLibraryValueText(lib, 7, "--", "", 1, 1.0f);
    s.Adhesion = GetLibraryValueText(lib, 143, "unknown", "", 2, 1.0f);
    s.Aromatics = GetLibraryValueText(lib, 14, "unknown", "", 0, 100.0f);
    s.PourPoint = GetLibraryTemperatureRange(lib, 8, 9, "unknown", suffix, unit, 0);
    s.FlashPoint = GetLibraryTemperatureRange(lib, 18, 19, "unknown", suffix, unit, 0);

    model::InputOil& o = s.oil;
    auto num = [&](int column, int decimals) { return GetLibraryNumber(lib, column, decimals, 1.0f); };
    platform::CopyToField(o.name, s.OilName);
    platform::CopyToField(o.productType, s.ProductType);
    ReadOilNumbers(lib, num, o);

    doc.session.m_bChanged[document::ChangedOil] = 1;
}

StandardOilsRules::StandardOilsRules(document::SpillDocCore& doc, Mode mode)
    : doc_(doc),
      lib_(doc.Libraries().standard),
      mode_(mode),
      list_(IndexOf(lib_)),
      chosen_(doc.scenario.OilIndex) {}

StandardOilsForm StandardOilsRules::Load() {
    return {list_.InitialRow(doc_.session.m_bStandardOil != 0, chosen_)};
}

StandardOilsForm StandardOilsRules::SortBy(int column, const StandardOilsForm& form) {
    const std::optional<oillib::FileOffset> offset = OffsetOf(form);
    list_.SortBy(column);
    return {offset ? list_.RowOf(*offset) : -1};
}

std::optional<oillib::FileOffset> StandardOilsRules::OffsetOf(const StandardOilsForm& form) const {
    if (form.row < 0 || static_cast<std::size_t>(form.row) >= list_.Size()) return std::nullopt;
    return list_.Rows()[static_cast<std::size_t>(form.row)].offset;
}

StandardOilsRules::Info StandardOilsRules::OilInfo(const StandardOilsForm& form) {
    Info info;
    const std::optional<oillib::FileOffset> offset = OffsetOf(form);
    if (!offset || !lib_) return info;
    chosen_ = *offset;
    info.check = ReadLibraryOil(*lib_, *offset);
    if (info.check.ok()) info.texts = MakeOilInfoTexts(*lib_);
    return info;
}

std::optional<CheckResult> StandardOilsRules::Select(const StandardOilsForm& form) {
    const std::optional<oillib::FileOffset> offset = OffsetOf(form);
    if (!offset || !lib_) return std::nullopt;
    chosen_ = *offset;
    CheckResult result = ReadLibraryOil(*lib_, *offset);
    if (!result.ok()) return result;
    result = CheckLibraryOil(*lib_);
    if (!result.ok()) return result;
    if (mode_ == Mode::Select) CopyOilIntoScenario(*lib_, *offset, OilSource::Standard, doc_);
    return result;
}

}  // namespace ui
