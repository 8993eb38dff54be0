// Review tool: solves a saved scenario and writes its eleven graphs.
//   tavro2-render [--seed N] [--out DIR] [--svg-only] FILE.tvr
// For each graph: <name>.svg (screen, 800 x 600 at 96 ppi) and
// <name>-print.svg (Letter at 600 ppi) from the recorder, and, unless
// --svg-only (no display needed), <name>.png and <name>-print.png (Letter at
// 150 ppi) painted through the wx canvas on a memory bitmap. Each file is checked not to be blank. Exit status 0
// only when every file was written and none is blank. The solve's dump
// files go to DIR/dumps.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/init.h>

#include "document/Paths.h"
#include "document/SpillDoc.h"
#include "output/core/GraphViewModel.h"
#include "platform/Messages.h"
#include "platform/RecordingCanvas.h"
#include "platform/SvgWriter.h"
#include "platform/wx/WxDcCanvas.h"

namespace {

const char* kUsage = "usage: tavro2-render [--seed N] [--out DIR] [--svg-only] FILE.tvr";

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

}  // namespace

int main(int argc, char** argv) {
    std::string file, outDir = ".";
    bool svgOnly = false, seeded = false;
    std::uint32_t seed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--seed" || a == "--out") && i + 1 >= argc) {
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
    if (file.empty()) {
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

    bool wxReady = false;
    if (!svgOnly) {
        wxApp::SetInstance(new wxApp());
        wxReady = wxEntryStart(argc, argv);
        if (!wxReady) {
            std::cerr << "tavro2-render: no display for the PNG files (use --svg-only)\n";
            return 2;
        }
        wxInitAllImageHandlers();
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
