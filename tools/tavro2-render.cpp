// Review tool: solves a saved scenario and writes its eleven graphs, or its
// printouts as PDF.
//   tavro2-render [--seed N] [--out DIR] [--svg-only] FILE.tvr
//   tavro2-render --print [--seed N] [--out DIR] [--graphs NAME,...] [--date YYYY-MM-DD] FILE.tvr
// For each graph: <name>.svg (screen, 800 x 600 at 96 ppi) and
// <name>-print.svg (Letter at 600 ppi) from the recorder, and, unless
// --svg-only (no display needed), <name>.png and <name>-print.png (Letter at
// 150 ppi) painted through the wx canvas on a memory bitmap. Each file is checked not to be blank. Exit status 0
// only when every file was written and none is blank. The solve's dump
// files go to DIR/dumps.
// With --print (a display is needed): scenario.pdf (the summary and the
// graphs named by --graphs, e.g. density,oil-budget; else those the solve
// opened), budget-table.pdf and ics-table.pdf, US Letter laid out at 600 ppi
// as a printer would get them, the footer dated --date (else today).
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <cairo-pdf.h>
#include <cairo.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/init.h>

#include "document/Paths.h"
#include "document/SpillDoc.h"
#include "output/core/GraphViewModel.h"
#include "output/core/PrintSpillInformation.h"
#include "output/core/Printouts.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/PrintJob.h"
#include "platform/RecordingCanvas.h"
#include "platform/SvgWriter.h"
#include "platform/wx/PrintPager.h"
#include "platform/wx/WxDcCanvas.h"

namespace {

const char* kUsage =
    "usage: tavro2-render [--seed N] [--out DIR] [--svg-only] FILE.tvr\n"
    "       tavro2-render --print [--seed N] [--out DIR] [--graphs NAME,...] [--date YYYY-MM-DD] FILE.tvr";

class StreamMessages final : public platform::IMessages {
public:
    platform::MsgResult Show(std::string_view text, platform::MsgIcon, platform::MsgButtons buttons) override {
        std::cerr << text << "\n";
        return buttons == platform::MsgButtons::YesNo ? platform::MsgResult::Yes : platform::MsgResult::Ok;
    }
};

std::string FileName(const output::GraphViewRow& row) {
    std::string name = row.templateString;
    for (char& c : name) c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

bool SvgHasContent(const platform::RecordingCanvas& rc) {
    return !rc.Find(platform::OpKind::Polyline).empty() || !rc.Find(platform::OpKind::Polygon).empty() ||
           rc.Find(platform::OpKind::TextInRect).size() >= 2;  // the title and "N/A"
}

// Pixels that are not white.
std::size_t InkPixels(const wxImage& img) {
    const unsigned char* p = img.GetData();
    const std::size_t n = static_cast<std::size_t>(img.GetWidth()) * img.GetHeight();
    std::size_t ink = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (p[i * 3] < 250 || p[i * 3 + 1] < 250 || p[i * 3 + 2] < 250) ++ink;
    return ink;
}

// Noon of a "YYYY-MM-DD" date in local time; false when it is no date.
bool ParseDate(const std::string& text, std::time_t& out) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    out = platform::SystemClock().MakeLocal(y, m, d, 12);
    return true;
}

// The graphs named in a comma-separated list (file names or titles, any
// case); false on a name that is no graph.
bool ParseGraphs(const std::string& list, std::vector<int>& graphs) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string name = list.substr(start, comma - start);
        for (char& c : name) c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        bool found = false;
        for (const output::GraphViewRow& row : output::GraphViews()) {
            if (FileName(row) == name) {
                graphs.push_back(static_cast<int>(row.window));
                found = true;
            }
        }
        if (!found) {
            std::cerr << "tavro2-render: no graph named '" << name << "'\n";
            return false;
        }
        start = comma + 1;
    }
    return true;
}

// A DC over a cairo context of a PDF page that knows the page's size: the
// toolkit's own DC over a bare context takes it as 0 x 0 and clips
// everything away once a clipping region is removed.
class PdfPageDcImpl final : public wxGCDCImpl {
public:
    PdfPageDcImpl(wxDC* owner, wxGraphicsContext* context, wxSize size)
        : wxGCDCImpl(owner, context), size_(size) {}
    void DoGetSize(int* width, int* height) const override {
        if (width) *width = size_.x;
        if (height) *height = size_.y;
    }

private:
    wxSize size_;
};

class PdfPageDc final : public wxDC {
public:
    PdfPageDc(wxGraphicsContext* context, wxSize size) : wxDC(new PdfPageDcImpl(this, context, size)) {}
};

// Plays a job's pages into a PDF file of Letter pages, laid out at 600 ppi.
bool WritePdf(const std::string& path, const platform::PrintJob& job) {
    constexpr int kPpi = 600;
    const platform::DeviceInfo device{kPpi, kPpi, {kPpi * 17 / 2, kPpi * 11}, true};
    cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), 8.5 * 72, 11 * 72);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, 72.0 / kPpi, 72.0 / kPpi);  // a unit is a printer pixel
    int pages = 0;
    {
        PdfPageDc dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr),
                     wxSize(device.size.cx, device.size.cy));
        const platform::RecordingCanvas recording = platform::PrintPager::Record(job, device);
        pages = static_cast<int>(recording.Pages().size());
        for (int p = 0; p < pages; ++p) {
            {
                platform::WxDcCanvas canvas(dc, kPpi, kPpi, device.size, true);
                platform::ReplayPage(recording, p, canvas);
            }
            dc.GetGraphicsContext()->Flush();
            cairo_show_page(cr);
        }
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::cerr << "tavro2-render: " << path << ": " << cairo_status_to_string(status) << "\n";
        return false;
    }
    std::cout << path << "\t" << pages << (pages == 1 ? " page" : " pages") << "\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string file, outDir = ".";
    bool svgOnly = false, seeded = false, print = false, graphsGiven = false;
    std::uint32_t seed = 0;
    std::vector<int> graphs;
    std::unique_ptr<platform::FixedClock> date;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--seed" || a == "--out" || a == "--graphs" || a == "--date") && i + 1 >= argc) {
            std::cerr << kUsage << "\n";
            return 2;
        }
        if (a == "--seed") {
            const std::string text = argv[++i];
            const char* end = text.data() + text.size();
            auto [ptr, ec] = std::from_chars(text.data(), end, seed);
            if (text.empty() || ec != std::errc() || ptr != end) {
                std::cerr << "tavro2-render: bad seed '" << text << "'\n";
                return 2;
            }
            seeded = true;
        } else if (a == "--out") {
            outDir = argv[++i];
        } else if (a == "--svg-only") {
            svgOnly = true;
        } else if (a == "--print") {
            print = true;
        } else if (a == "--graphs") {
            graphsGiven = true;
            if (!ParseGraphs(argv[++i], graphs)) return 2;
        } else if (a == "--date") {
            std::time_t t = 0;
            if (!ParseDate(argv[++i], t)) {
                std::cerr << "tavro2-render: bad date '" << argv[i] << "' (YYYY-MM-DD)\n";
                return 2;
            }
            date = std::make_unique<platform::FixedClock>(t);
        } else if (!a.empty() && a[0] == '-') {
            std::cerr << kUsage << "\n";
            return 2;
        } else if (file.empty()) {
            file = a;
        } else {
            std::cerr << kUsage << "\n";
            return 2;
        }
    }
    if (file.empty() || (print && svgOnly)) {
        std::cerr << kUsage << "\n";
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (!std::filesystem::is_directory(outDir)) {
        std::cerr << "tavro2-render: cannot use the folder " << outDir << "\n";
        return 2;
    }

    StreamMessages messages;
    document::DocPorts ports;
    ports.messages = &messages;
    ports.clock = date.get();
    auto doc = std::make_unique<document::SpillDocCore>(document::OilLibraries{}, ports);
    // The solve's dump files go to a folder of their own beside the graphs.
    const std::string dumps = outDir + "/dumps";
    std::filesystem::create_directories(dumps, ec);
    doc->SetOutputFolder(dumps);
    if (!doc->OnOpenDocument(document::MakeAbsolute(file, document::CurrentDirectory()))) return 2;
    if (seeded) doc->Model().SetSeed(seed);
    if (!doc->Solve()) {
        std::cerr << "tavro2-render: " << file << " could not be solved\n";
        return 1;
    }

    if (graphsGiven)
        for (int g = 0; g < document::kGraphCount; ++g)
            doc->session.m_bGraphOpen[g] = std::find(graphs.begin(), graphs.end(), g) != graphs.end();

    bool wxReady = false;
    if (!svgOnly) {
        wxApp::SetInstance(new wxApp());
        wxReady = wxEntryStart(argc, argv);
        if (!wxReady) {
            std::cerr << "tavro2-render: no display for the PNG files (use --svg-only)\n";
            return 2;
        }
        wxInitAllImageHandlers();
        platform::SetPictureFile(output::kLogoPicture, document::AppPaths::ForThisProcess().logoFile);
    }

    if (print) {
        const std::string dir = outDir + "/";
        document::SpillDocCore& d = *doc;
        const output::BudgetChoices budget = output::InitialBudgetChoices(d.scenario);
        const output::IcsChoices ics = output::InitialIcsChoices(d.scenario.SpillTime, d.Clock());
        const bool ok =
            WritePdf(dir + "scenario.pdf", [&d](platform::Canvas& c) { output::PrintScenario(c, d); }) &&
            WritePdf(dir + "budget-table.pdf", [&](platform::Canvas& c) { output::PrintBudgetTable(c, d, budget); }) &&
            WritePdf(dir + "ics-table.pdf", [&](platform::Canvas& c) { output::PrintIcsTable(c, d, ics); });
        wxEntryCleanup();
        return ok ? 0 : 1;
    }

    int failures = 0;
    const std::string dir = outDir + "/";
    for (const output::GraphViewRow& row : output::GraphViews()) {
        const std::string name = FileName(row);
        struct Form {
            const char* suffix;
            platform::DeviceInfo device;
        };
        const Form forms[] = {{"", {96, 96, {800, 600}, false}}, {"-print", {600, 600, {5100, 6600}, true}}};
        for (const Form& form : forms) {
            platform::RecordingCanvas rc(form.device);
            output::DrawGraphOutput(row.kind, *doc, rc, {0, 0, form.device.size.cx, form.device.size.cy});
            const std::string path = dir + name + form.suffix + ".svg";
            std::string error;
            if (!platform::WriteSvgFiles(rc, path, &error)) {
                std::cerr << "tavro2-render: " << path << ": " << error << "\n";
                ++failures;
            } else if (!SvgHasContent(rc)) {
                std::cerr << "tavro2-render: " << path << " is blank\n";
                ++failures;
            } else {
                std::cout << path << "\n";
            }
        }
        if (!wxReady) continue;
        // The window at 96 ppi (its paint time reported) and the printed
        // page at 150 ppi.
        struct Raster {
            const char* suffix;
            int ppi;
            platform::Size size;
            bool printing;
        };
        const Raster rasters[] = {{"", 96, {800, 600}, false}, {"-print", 150, {1275, 1650}, true}};
        for (const Raster& r : rasters) {
            wxBitmap bitmap(r.size.cx, r.size.cy, 24);
            double ms = 0;
            {
                wxMemoryDC dc(bitmap);
                dc.SetBackground(*wxWHITE_BRUSH);
                dc.Clear();
                platform::WxDcCanvas canvas(dc, r.ppi, r.ppi, r.size, r.printing);
                const auto start = std::chrono::steady_clock::now();
                output::DrawGraphOutput(row.kind, *doc, canvas, {0, 0, r.size.cx, r.size.cy});
                ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            }
            const wxImage img = bitmap.ConvertToImage();
            const std::string path = dir + name + r.suffix + ".png";
            if (!img.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG)) {
                std::cerr << "tavro2-render: cannot write " << path << "\n";
                ++failures;
            } else if (InkPixels(img) < 50) {
                std::cerr << "tavro2-render: " << path << " is blank\n";
                ++failures;
            } else {
                std::cout << path << "\tpaint " << ms << " ms\n";
            }
        }
    }
    if (wxReady) wxEntryCleanup();
    return failures ? 1 : 0;
}
