#include "document/SolveTool.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <memory>

#include "document/Paths.h"
#include "document/SpillDoc.h"
#include "platform/NumText.h"

namespace document {

const char* const kSolveToolColumns[18] = {
    "hour",           "spilled",         "remaining",     "evaporated",     "dispersed",     "chemdispersed",
    "burned",         "skimmed",         "beached",       "remaining_low",  "remaining_high", "evaporated_low",
    "evaporated_high", "dispersed_low",  "dispersed_high", "density",       "viscosity",     "water",
};

namespace {

// Messages as lines on a stream.
class StreamMessages final : public platform::IMessages {
public:
    explicit StreamMessages(std::ostream& err) : err_(err) {}
    platform::MsgResult Show(std::string_view text, platform::MsgIcon, platform::MsgButtons buttons) override {
        err_ << text << "\n";
        return buttons == platform::MsgButtons::YesNo ? platform::MsgResult::Yes : platform::MsgResult::Ok;
    }

private:
    std::ostream& err_;
};

const char* kUsage = "usage: tavro2-solve [--seed N] [--out DIR] FILE.tvr";

}  // namespace

int RunSolveTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file, outDir;
    bool seeded = false;
    std::uint32_t seed = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--seed" || a == "--out") && i + 1 >= args.size()) {
            err << kUsage << "\n";
            return 2;
        }
        if (a == "--seed") {
            // Whole decimal digits only: "nan", "7abc" or "-1" are refused.
            const std::string& text = args[++i];
            const char* end = text.data() + text.size();
            auto [ptr, ec] = std::from_chars(text.data(), end, seed);
            if (text.empty() || ec != std::errc() || ptr != end) {
                err << "tavro2-solve: bad seed '" << text << "'\n";
                return 2;
            }
            seeded = true;
        } else if (a == "--out") {
            outDir = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            err << kUsage << "\n";
            return 2;
        } else if (file.empty()) {
            file = a;
        } else {
            err << kUsage << "\n";
            return 2;
        }
    }
    if (file.empty()) {
        err << kUsage << "\n";
        return 2;
    }
    const std::string cwd = CurrentDirectory();
    file = MakeAbsolute(file, cwd);
    AppPaths paths = AppPaths::InFolder(outDir.empty() ? cwd : MakeAbsolute(outDir, cwd));
    if (!paths.CreateUserFolder()) {
        err << "tavro2-solve: cannot use the folder " << paths.DumpFolder() << "\n";
        return 2;
    }

    StreamMessages messages(err);
    DocPorts ports;
    ports.messages = &messages;
    auto doc = std::make_unique<SpillDocCore>(OilLibraries{}, ports);
    doc->SetOutputFolder(paths.DumpFolder());
    int status = 0;
    if (!doc->OnOpenDocument(file)) {
        status = 2;
    } else {
        if (seeded) doc->Model().SetSeed(seed);
        if (!doc->Solve()) {
            err << "tavro2-solve: " << file << " could not be solved\n";
            status = 1;
        }
    }
    if (status != 0) return status;

    for (std::size_t c = 0; c < std::size(kSolveToolColumns); ++c) out << (c ? "\t" : "") << kSolveToolColumns[c];
    out << "\n";
    const model::CWeatheringCore& m = doc->Model();
    using namespace model;
    const int best[] = {OUT_SPILLED, OUT_REMAINING, OUT_EVAPORATED, OUT_DISPERSED, OUT_CHEM_DISPERSED,
                        OUT_BURNED, OUT_SKIMMED, OUT_BEACHED};
    const int band[] = {OUT_REMAINING, OUT_EVAPORATED, OUT_DISPERSED};
    const int tail[] = {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER};
    auto num = [](double v) { return platform::Format("%.10g", v); };
    const int steps = std::min(std::max(m.nSteps, 0), MAX_STEPS);
    for (int k = 0; k < steps; ++k) {
        const SStepOutput& step = m.out[k];
        std::string line = num((k + 1) * static_cast<double>(m.dt) / 3600.0);
        auto add = [&line, &num](double v) {
            line += '\t';
            line += num(v);
        };
        for (int b : best) add(step[b + SLOT_BEST]);
        for (int b : band) {
            add(step[b + SLOT_LOW]);
            add(step[b + SLOT_HIGH]);
        }
        for (int b : tail) add(step[b + SLOT_BEST]);
        out << line << "\n";
    }
    return 0;
}

}  // namespace document
