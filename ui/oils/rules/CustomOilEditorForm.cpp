#include "ui/oils/rules/CustomOilEditorForm.h"

#include <cctype>
#include <functional>

#include "ui/oils/rules/LibraryReaders.h"

namespace ui {

namespace {

using Form = CustomOilEditorForm;
constexpr auto kCelsius = model::ELibTempUnit::Celsius;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// One value of the form kept in one cell.
struct Binding {
    enum Kind { Text, Number, Temperature };
    std::string label;  // as the refusal of a value that is not a number names it
    int column;
    Kind kind;
    int decimals = 0;
    float showFactor = 1.0f;   // cell to text
    float storeFactor = 1.0f;  // text to cell
    std::function<std::string&(Form&)> text;
};

// A label with its row in words: "density in row 2 (g/cc)" for
// Numbered("density in row", 1, " (g/cc)").
std::string Numbered(const char* before, std::size_t i, const char* after = "") {
    return std::string(before) + " " + std::to_string(i + 1) + after;
}

// Every value with a cell of its own (the viscosity rows and the pour and
// flash points are written by rules of their own).
const std::vector<Binding>& Bindings() {
    static const std::vector<Binding> table = [] {
        std::vector<Binding> b;
        auto text = [&](const char* label, int column, std::string Form::*member) {
            b.push_back({label, column, Binding::Text, 0, 1.0f, 1.0f, [member](Form& f) -> std::string& {
                             return f.*member;
                         }});
        };
        auto number = [&](const char* label, int column, int decimals, float show, float store,
                          std::string Form::*member) {
            b.push_back({label, column, Binding::Number, decimals, show, store,
                         [member](Form& f) -> std::string& { return f.*member; }});
        };
        auto temperature = [&](const char* label, int column, std::string Form::*member) {
            b.push_back({label, column, Binding::Temperature, 2, 1.0f, 1.0f,
                         [member](Form& f) -> std::string& { return f.*member; }});
        };
        text("synonyms", 5, &Form::synonyms);
        text("field name", 4, &Form::fieldName);
        text("location", 3, &Form::location);
        text("reference", 6, &Form::reference);
        text("comments", 11, &Form::comments);
        number("API", 7, 2, 1.0f, 1.0f, &Form::api);
        for (std::size_t i = 0; i < 4; ++i) {
            const int c = 24 + 3 * static_cast<int>(i);
            b.push_back({Numbered("density in row", i, " (g/cc)"), c, Binding::Number, 4, 0.001f, 1000.0f,
                         [i](Form& f) -> std::string& { return f.density[i]; }});
            b.push_back({Numbered("temperature of the density in row", i, " (deg C)"), c + 1, Binding::Temperature, 2,
                         1.0f, 1.0f, [i](Form& f) -> std::string& { return f.densityTemp[i]; }});
            if (i > 0)
                b.push_back({Numbered("% evaporated of the density in row", i), c + 2, Binding::Number, 1, 100.0f,
                             0.01f, [i](Form& f) -> std::string& { return f.densityEvaporated[i]; }});
        }
        for (std::size_t i = 0; i < 15; ++i) {
            const int c = 72 + 3 * static_cast<int>(i);
            b.push_back({Numbered("cumulative % of distillation cut", i), c + 2, Binding::Number, 1, 100.0f, 0.01f,
                         [i](Form& f) -> std::string& { return f.cutPercent[i]; }});
            b.push_back({Numbered("vapor temperature of distillation cut", i, " (deg C)"), c, Binding::Temperature, 2,
                         1.0f, 1.0f, [i](Form& f) -> std::string& { return f.cutTemp[i]; }});
        }
        number("oil-seawater interfacial tension (dynes/cm)", 22, 2, 1000.0f, 0.001f, &Form::oilSeawaterTension);
        temperature("temperature of the oil-seawater interfacial tension (deg C)", 23, &Form::oilSeawaterTensionTemp);
        number("oil-water interfacial tension (dynes/cm)", 20, 2, 1000.0f, 0.001f, &Form::oilWaterTension);
        temperature("temperature of the oil-water interfacial tension (deg C)", 21, &Form::oilWaterTensionTemp);
        number("emulsification constant", 17, 2, 100.0f, 0.01f, &Form::emulsionConstant);
        number("maximum water content of the emulsion (%)", 15, 2, 100.0f, 0.01f, &Form::waterContent);
        number("adhesion (g/m2)", 143, 2, 1.0f, 1.0f, &Form::adhesion);
        number("nickel (ppm)", 153, 2, 1.0f, 1.0f, &Form::nickel);
        number("vanadium (ppm)", 154, 2, 1.0f, 1.0f, &Form::vanadium);
        const std::pair<const char*, std::pair<int, std::string Form::*>> groups[] = {
            {"aromatics", {14, &Form::aromatics}},   {"asphaltenes", {12, &Form::asphaltenes}},
            {"benzene", {144, &Form::benzene}},      {"naphthenes", {145, &Form::naphthenes}},
            {"paraffins", {146, &Form::paraffins}},  {"polars", {147, &Form::polars}},
            {"resins", {148, &Form::resins}},        {"saturates", {149, &Form::saturates}},
            {"sulfur", {150, &Form::sulfur}},        {"wax content", {13, &Form::wax}}};
        for (const auto& [label, cell] : groups)
            number((std::string(label) + " (weight %)").c_str(), cell.first, 2, 100.0f, 0.01f, cell.second);
        return b;
    }();
    return table;
}

const std::string& TextOf(const Binding& b, const Form& f) { return b.text(const_cast<Form&>(f)); }

// A Min/Max pair of kelvin columns shown as one value: Min, or Max when
// Min reads as nothing ("<", ">" or empty).
std::string PointText(const oillib::COilLibrary& lib, int minColumn, int maxColumn) {
    std::string text = lib.FormatTemperatureField(lib.ColumnToField(minColumn), kCelsius, 2);
    if (text.empty()) text = lib.FormatTemperatureField(lib.ColumnToField(maxColumn), kCelsius, 2);
    return text;
}

constexpr int kKinematicFirst = 36;
constexpr int kDynamicFirst = 54;

// The numbered texts of the viscosity rows and of the two points, with
// their labels and their (kinematic, Min) column, for the number check.
struct Extra {
    std::string label;
    int column;
    std::function<const std::string&(const Form&)> text;
};

const std::vector<Extra>& ExtraNumbers() {
    static const std::vector<Extra> table = [] {
        std::vector<Extra> e;
        e.push_back({"pour point (deg C)", 8, [](const Form& f) -> const std::string& { return f.pourPoint; }});
        for (std::size_t i = 0; i < 6; ++i) {
            const int c = kKinematicFirst + 3 * static_cast<int>(i);
            e.push_back({Numbered("viscosity in row", i), c,
                         [i](const Form& f) -> const std::string& { return f.viscosity[i]; }});
            e.push_back({Numbered("temperature of the viscosity in row", i, " (deg C)"), c + 1,
                         [i](const Form& f) -> const std::string& { return f.viscosityTemp[i]; }});
            if (i > 0)
                e.push_back({Numbered("% evaporated of the viscosity in row", i), c + 2,
                             [i](const Form& f) -> const std::string& { return f.viscosityEvaporated[i]; }});
        }
        e.push_back({"flash point (deg C)", 18, [](const Form& f) -> const std::string& { return f.flashPoint; }});
        return e;
    }();
    return table;
}

// The page that shows a column.
int PageOfColumn(int column) {
    if (column == 1 || (column >= 3 && column <= 6) || column == 10 || column == 11 || column == 118)
        return Form::GeneralInfo;
    if ((column >= 7 && column <= 9) || (column >= 24 && column <= 71)) return Form::Properties;
    if (column >= 72 && column <= 117) return Form::Distillation;
    return Form::MoreProperties;
}

// Which choice a list's cell reads as, or -1 when it reads as none of
// them: the cell equals the text the choice writes, ignoring case; cut
// units by their first letter.
int ProductTypeOf(const std::string& cell) {
    const std::string lower = Lower(cell);
    if (lower == "crude") return Form::Crude;
    if (lower == "refined") return Form::Refined;
    return -1;
}

int OilClassOf(const std::string& cell) {
    const std::string lower = Lower(cell);
    for (int k = 0; k < 5; ++k)
        if (lower == "group " + std::to_string(k + 1)) return k;
    return -1;
}

int CutUnitsOf(const std::string& cell) {
    if (cell.empty()) return -1;
    const char first = static_cast<char>(std::tolower(static_cast<unsigned char>(cell[0])));
    if (first == 'w') return Form::WeightPercent;
    if (first == 'v') return Form::VolumePercent;
    return -1;
}

}  // namespace

OilRecordCopy OilRecordCopy::Of(const oillib::CMyFileReader& lib) {
    OilRecordCopy copy;
    for (int n = 1; n <= lib.GetFieldCount(); ++n) copy.fields_.push_back(lib.GetField(n));
    return copy;
}

void OilRecordCopy::PutInto(oillib::CMyFileReader& lib) const {
    lib.ClearFields();
    for (std::size_t i = 0; i < fields_.size(); ++i) lib.SetFieldText(fields_[i], static_cast<int>(i + 1));
}

CustomOilEditorForm CustomOilEditorForm::Fill(const oillib::COilLibrary& lib) {
    Form f;
    auto cell = [&](int column) { return lib.GetFieldText(lib.ColumnToField(column)); };
    // Texts whole (quotes removed), so that an edit keeps a long text's end.
    auto whole = [&](int field) { return oillib::CMyFileReader::WithoutQuotes(lib.GetField(field), std::string::npos); };
    f.name = whole(lib.ColumnToField(1));
    f.libraryDate = lib.GetDate();
    f.librarySaved = lib.GetIndex() != nullptr;
    f.productType = Lower(cell(10)) == "crude" ? Crude : Refined;
    const int oilClass = OilClassOf(cell(118));
    f.oilClass = oilClass < 0 ? 4 : oilClass;
    f.cutUnits = CutUnitsOf(cell(117)) == WeightPercent ? WeightPercent : VolumePercent;

    for (const Binding& b : Bindings()) {
        const int field = lib.ColumnToField(b.column);
        std::string& text = b.text(f);
        switch (b.kind) {
            case Binding::Text: text = whole(field); break;
            case Binding::Number: text = lib.GetFieldNumberText(field, b.decimals, b.showFactor); break;
            case Binding::Temperature: text = lib.FormatTemperatureField(field, kCelsius, b.decimals); break;
        }
    }
    f.pourPoint = PointText(lib, 8, 9);
    f.flashPoint = PointText(lib, 18, 19);

    const bool dynamic = lib.IsFieldEmpty(lib.ColumnToField(kKinematicFirst)) &&
                         !lib.IsFieldEmpty(lib.ColumnToField(kDynamicFirst));
    f.viscosityKind = dynamic ? Dynamic : Kinematic;
    const int first = dynamic ? kDynamicFirst : kKinematicFirst;
    const float factor = dynamic ? 1000.0f : 1000000.0f;
    for (std::size_t i = 0; i < 6; ++i) {
        const int c = first + 3 * static_cast<int>(i);
        f.viscosity[i] = lib.GetFieldNumberText(lib.ColumnToField(c), 2, factor);
        f.viscosityTemp[i] = lib.FormatTemperatureField(lib.ColumnToField(c + 1), kCelsius, 2);
        if (i > 0) f.viscosityEvaporated[i] = lib.GetFieldNumberText(lib.ColumnToField(c + 2), 1, 100.0f);
    }
    return f;
}

std::string CustomOilEditorForm::LibraryDateText(const Form& form) {
    if (!form.librarySaved) return "Library not saved yet";
    return "Library last modified on " + form.libraryDate;
}

CustomOilEditorForm::Place CustomOilEditorForm::PlaceOf(const Form& form, int column) {
    const int page = PageOfColumn(column);
    if (column == 8 || column == 9) return {page, &form.pourPoint};
    if (column == 18 || column == 19) return {page, &form.flashPoint};
    if (column >= kKinematicFirst && column < kDynamicFirst + 18) {
        const int first = column < kDynamicFirst ? kKinematicFirst : kDynamicFirst;
        const auto row = static_cast<std::size_t>((column - first) / 3);
        switch ((column - first) % 3) {
            case 0: return {page, &form.viscosity[row]};
            case 1: return {page, &form.viscosityTemp[row]};
            default: return {page, row == 0 ? &form.viscosityTemp[0] : &form.viscosityEvaporated[row]};
        }
    }
    for (const Binding& b : Bindings())
        if (b.column == column) return {page, &TextOf(b, form)};
    return {GeneralInfo, &form.name};
}

CheckResult CustomOilEditorForm::CheckNumbers(const Form& form, const Form& baseline, Place* place) {
    auto refuse = [&](const std::string& label, int column, const std::string& text) {
        if (place) *place = PlaceOf(form, column);
        return CheckResult::Refuse(std::string(kHeaderProblem) + "Please check the " + label + ". \"" + text +
                                   "\" is not a number.");
    };
    auto bad = [](const std::string& text, const std::string& before) {
        return text != before && !text.empty() && !oillib::CMyFileReader::ScanNumber(text);
    };
    for (const Binding& b : Bindings())
        if (b.kind != Binding::Text && bad(TextOf(b, form), TextOf(b, baseline)))
            return refuse(b.label, b.column, TextOf(b, form));
    for (const Extra& e : ExtraNumbers())
        if (bad(e.text(form), e.text(baseline))) return refuse(e.label, e.column, e.text(form));
    return {};
}

void CustomOilEditorForm::WriteBack(const Form& form, const Form& baseline, const OilRecordCopy& original,
                                    oillib::COilLibrary& lib) {
    original.PutInto(lib);
    auto field = [&](int column) { return lib.ColumnToField(column); };
    auto cell = [&](int column) { return lib.GetFieldText(field(column)); };

    if (form.name != baseline.name) lib.SetFieldText(form.name, field(1));

    if (ProductTypeOf(cell(10)) != form.productType)
        lib.SetFieldText(form.productType == Refined ? "refined" : "crude", field(10));
    if (OilClassOf(cell(118)) != form.oilClass)
        lib.SetFieldText("group " + std::to_string(form.oilClass + 1), field(118));
    if (CutUnitsOf(cell(117)) != form.cutUnits)
        lib.SetFieldText(form.cutUnits == WeightPercent ? "weight %" : "volume %", field(117));

    for (const Binding& b : Bindings()) {
        const std::string& text = TextOf(b, form);
        if (text == TextOf(b, baseline)) continue;
        switch (b.kind) {
            case Binding::Text: lib.SetFieldText(text, field(b.column)); break;
            case Binding::Number: lib.SetFieldScaled(text, field(b.column), b.storeFactor); break;
            case Binding::Temperature: lib.SetTemperatureField(text, field(b.column), kCelsius); break;
        }
    }
    // The fresh oil's density row is at 0 % evaporated.
    if (form.density[0] != baseline.density[0] || form.densityTemp[0] != baseline.densityTemp[0])
        lib.SetFieldScaled("0.0", field(26), 0.01f);

    if (form.pourPoint != baseline.pourPoint) lib.SetTemperatureRange(form.pourPoint, field(8), field(9), kCelsius);
    if (form.flashPoint != baseline.flashPoint)
        lib.SetTemperatureRange(form.flashPoint, field(18), field(19), kCelsius);

    const bool viscosityEdited = form.viscosityKind != baseline.viscosityKind ||
                                 form.viscosity != baseline.viscosity || form.viscosityTemp != baseline.viscosityTemp ||
                                 form.viscosityEvaporated != baseline.viscosityEvaporated;
    if (viscosityEdited) {
        const bool dynamic = form.viscosityKind == Dynamic;
        const int first = dynamic ? kDynamicFirst : kKinematicFirst;
        const int other = dynamic ? kKinematicFirst : kDynamicFirst;
        const float factor = dynamic ? 0.001f : 0.000001f;
        for (std::size_t i = 0; i < 6; ++i) {
            const int c = first + 3 * static_cast<int>(i);
            lib.SetFieldScaled(form.viscosity[i], field(c), factor);
            lib.SetTemperatureField(form.viscosityTemp[i], field(c + 1), kCelsius);
            lib.SetFieldScaled(i == 0 ? std::string("0.0") : form.viscosityEvaporated[i], field(c + 2), 0.01f);
        }
        for (int c = other; c < other + 18; ++c) lib.SetFieldText("", field(c));
    }
}

}  // namespace ui
