// Printing on a real display: the print preview of a solved scenario, and
// the printout an active table gives.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/print.h>
#include <wx/prntbase.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "../test_tank_fixture.h"
#include "gui_support.h"
#include "output/Printing.h"
#include "output/core/Printouts.h"
#include "platform/RecordingCanvas.h"
#include "platform/wx/PrintPager.h"
#include "ui/inputs/rules/TankResultPage.h"

using namespace gui_test;

namespace {

class PrintGui : public GuiTest {};

wxPreviewFrame* FindPreview() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* frame = dynamic_cast<wxPreviewFrame*>(w); frame && frame->IsShown()) return frame;
    return nullptr;
}

// What the toolkit's print loop made of a printout on a sheet standing in for
// the printer (a memory DC of the whole sheet at ppi).
struct Printed {
    int minPage = 0, maxPage = 0;
    int pagesPrinted = 0;
    std::vector<int> leftInk;  // per page played: the leftmost inked column, -1 blank
};

int LeftmostInk(const wxBitmap& bitmap) {
    const wxImage image = bitmap.ConvertToImage();
    for (int x = 0; x < image.GetWidth(); ++x)
        for (int y = 0; y < image.GetHeight(); ++y)
            if (image.GetRed(x, y) < 128 && image.GetGreen(x, y) < 128 && image.GetBlue(x, y) < 128) return x;
    return -1;
}

// As the toolkit prints: OnPreparePrinting, GetPageInfo, then every page
// from the first while HasPage says it is there.
Printed PrintLoop(wxPrintout& printout, int ppi, wxSize sheet, wxRect paper) {
    printout.SetPPIScreen(96, 96);
    printout.SetPPIPrinter(ppi, ppi);
    printout.SetPageSizePixels(sheet.x, sheet.y);
    printout.SetPageSizeMM(sheet.x * 254 / (ppi * 10), sheet.y * 254 / (ppi * 10));
    printout.SetPaperRectPixels(paper);
    wxBitmap bitmap(sheet);
    wxMemoryDC dc(bitmap);
    printout.SetDC(&dc);
    printout.OnPreparePrinting();
    Printed out;
    int from = 0, to = 0;
    printout.GetPageInfo(&out.minPage, &out.maxPage, &from, &to);
    printout.OnBeginPrinting();
    for (int page = from; page <= to && printout.HasPage(page); ++page) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        if (printout.OnPrintPage(page)) ++out.pagesPrinted;
        dc.SelectObject(wxNullBitmap);
        out.leftInk.push_back(LeftmostInk(bitmap));
        dc.SelectObject(bitmap);
    }
    printout.OnEndPrinting();
    printout.SetDC(nullptr);
    return out;
}

// A computable tank, its leak computed on the document.
void ComputeTank(document::SpillDocCore& doc) {
    tavro_test::SetComputableTank(doc.scenario.tank);
    ASSERT_TRUE(doc.ComputeTankLeak());
}

// The toolkit's print dialog answered Print once it is up; only the file
// printer is looked for (no print server is asked).
#ifdef __WXGTK__
template <class F>
F Toolkit(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

void OnlyTheFilePrinter() {
    void* settings = Toolkit<void* (*)()>("gtk_settings_get_default")();
    Toolkit<void (*)(void*, const char*, ...)>("g_object_set")(settings, "gtk-print-backends", "file", nullptr);
}

class PrintDialogAnswer {
public:
    PrintDialogAnswer() { Schedule(); }
    ~PrintDialogAnswer() { stopped() = true; }
    PrintDialogAnswer(const PrintDialogAnswer&) = delete;
    PrintDialogAnswer& operator=(const PrintDialogAnswer&) = delete;

private:
    static bool& stopped() {
        static bool value = false;
        return value;
    }
    // A toolkit timer of its own for each answer: an answer may run the
    // next dialog modally inside it, and that one needs a timer that fires.
    static void Schedule() {
        stopped() = false;
        Toolkit<unsigned (*)(unsigned, int (*)(void*), void*)>("g_timeout_add")(700, &Answer, nullptr);
    }
    static int Answer(void*) {
        if (stopped()) return 0;
        Toolkit<unsigned (*)(unsigned, int (*)(void*), void*)>("g_timeout_add")(700, &Answer, nullptr);
        struct List {
            void* data;
            List* next;
            List* prev;
        };
        // Print (OK) in the print dialog, Replace (Accept) when it asks
        // about a file of that name.
        const unsigned long dialogType = Toolkit<unsigned long (*)()>("gtk_print_unix_dialog_get_type")();
        const unsigned long askType = Toolkit<unsigned long (*)()>("gtk_message_dialog_get_type")();
        auto isA = Toolkit<int (*)(void*, unsigned long)>("g_type_check_instance_is_a");
        auto respond = Toolkit<void (*)(void*, int)>("gtk_dialog_response");
        auto* list = static_cast<List*>(Toolkit<void* (*)()>("gtk_window_list_toplevels")());
        void* target = nullptr;
        int response = 0;
        for (List* l = list; l; l = l->next) {
            if (isA(l->data, askType)) {
                target = l->data, response = -3;
                break;
            }
            if (isA(l->data, dialogType)) target = l->data, response = -5;
        }
        Toolkit<void (*)(void*)>("g_list_free")(list);
        if (target) respond(target, response);
        return 0;
    }
};
#endif

// The words of page 1 of a PDF with their left and right ends (points).
struct Word {
    std::string text;
    double left, right, top;
};
std::vector<Word> PdfWords(const std::string& pdf, double* pageWidth) {
    std::vector<Word> words;
    const std::string command = "pdftotext -f 1 -l 1 -bbox '" + pdf + "' - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return words;
    char line[4096];
    while (fgets(line, sizeof line, pipe)) {
        double a = 0, b = 0, c = 0, d = 0;
        if (std::sscanf(line, " <page width=\"%lf\" height=\"%lf\"", &a, &b) == 2) *pageWidth = a;
        const char* start = std::strstr(line, "<word ");
        if (!start || std::sscanf(start, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &a, &b, &c, &d) != 4)
            continue;
        const char* open = std::strchr(start, '>');
        const char* close = open ? std::strstr(open, "</word>") : nullptr;
        if (close) words.push_back({std::string(open + 1, close), a, c, b});
    }
    pclose(pipe);
    return words;
}

}  // namespace

// Every page of every kind of printout reaches the printer, the last one
// included, each with ink on it, laid out on the sheet the toolkit gives:
// a sheet whose paper begins left of the printable area (a landscape page
// on some printers) moves the page by that much.
TEST_F(PrintGui, ThePrintLoopPrintsEveryPageOnThePaper) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    Command(app::ID_SOLVE);  // opens the oil budget graph
    app::WorkspaceView* view = Frame()->CurrentWorkspace();
    ASSERT_NE(view, nullptr);
    document::SpillDocCore& doc = view->Doc()->Core();
    const ui::TankResultPage tank(doc);
    struct Case {
        const char* name;
        std::function<wxPrintout*()> make;
        int pages;
    };
    const Case cases[] = {
        {"scenario and its graph", [&] { return view->OnCreatePrintout(); }, 2},
        {"budget table",
         [&] {
             Command(app::ID_BUDGET_TABLE);
             return view->OnCreatePrintout();
         },
         1},
        {"leaking tank",
         [&] {
             ComputeTank(doc);
             return output::MakePrintout([&tank](platform::Canvas& c) { tank.Print(c, 1); });
         },
         2},
    };
    constexpr int kPpi = 100;
    const wxSize letter(850, 1100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<wxPrintout> printout(c.make());
        ASSERT_NE(printout, nullptr);
        const Printed flat = PrintLoop(*printout, kPpi, letter, wxRect(wxPoint(0, 0), letter));
        EXPECT_EQ(flat.minPage, 1);
        EXPECT_EQ(flat.maxPage, c.pages);
        EXPECT_EQ(flat.pagesPrinted, c.pages);
        ASSERT_EQ(flat.leftInk.size(), static_cast<std::size_t>(c.pages));
        for (int ink : flat.leftInk) EXPECT_GE(ink, kPpi * 9 / 10);  // inside the one-inch margin
        // The paper 31 pixels left of the printable area's edge.
        const Printed shifted = PrintLoop(*printout, kPpi, letter, wxRect(-31, 0, letter.x, letter.y));
        ASSERT_EQ(shifted.leftInk.size(), flat.leftInk.size());
        for (std::size_t p = 0; p < flat.leftInk.size(); ++p) EXPECT_EQ(shifted.leftInk[p], flat.leftInk[p] - 31);
    }
}

TEST_F(PrintGui, PreviewOfASolvedScenarioAndATablesPrintout) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    Command(app::ID_SOLVE);  // opens the oil budget graph
    app::WorkspaceView* view = Frame()->CurrentWorkspace();
    ASSERT_NE(view, nullptr);

    // The summary, then the open graph.
    Command(wxID_PREVIEW);
    wxPreviewFrame* preview = FindPreview();
    ASSERT_NE(preview, nullptr);
    ASSERT_NE(preview->GetControlBar(), nullptr);
    wxPrintPreviewBase* pages = preview->GetControlBar()->GetPrintPreview();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->GetMinPage(), 1);
    EXPECT_EQ(pages->GetMaxPage(), 2);
    EXPECT_FALSE(Frame()->IsEnabled());  // app-modal: the scenario cannot change under it
    // Over the main window, at its size, a whole page in sight.
    auto expectFitted = [&](wxPreviewFrame* frame, wxPrintPreviewBase* shown) {
        EXPECT_EQ(frame->GetScreenRect(), Frame()->GetScreenRect());
        int mmX = 0, mmY = 0;
        shown->GetPrintout()->GetPageSizeMM(&mmX, &mmY);
        const wxSize room = shown->GetCanvas()->GetClientSize();
        const double px = shown->GetZoom() / 100.0 * shown->GetCanvas()->GetDPI().y / 25.4;
        EXPECT_LE(mmX * px, room.x) << shown->GetZoom();
        EXPECT_LE(mmY * px, room.y) << shown->GetZoom();
        EXPECT_GT(mmY * px, room.y * 0.8) << shown->GetZoom();  // and not much smaller
        return std::pair{mmX, mmY};
    };
    const auto portrait = expectFitted(preview, pages);
    EXPECT_LT(portrait.first, portrait.second);
    Screenshot(preview, "print/preview");
    preview->Close(true);
    Pump();
    EXPECT_EQ(FindPreview(), nullptr);
    EXPECT_TRUE(Frame()->IsEnabled());  // the preview disabled the program while it was up

    // Print Setup's landscape reaches the preview, the page fitted again.
    platform::ProgramPrintData().SetOrientation(wxLANDSCAPE);
    Command(wxID_PREVIEW);
    preview = FindPreview();
    ASSERT_NE(preview, nullptr);
    const auto landscape = expectFitted(preview, preview->GetControlBar()->GetPrintPreview());
    EXPECT_GT(landscape.first, landscape.second);
    Screenshot(preview, "print/preview-landscape");
    preview->Close(true);
    Pump();
    platform::ProgramPrintData().SetOrientation(wxPORTRAIT);

    // With the budget table active, its own printout.
    Command(app::ID_BUDGET_TABLE);
    ASSERT_NE(view->Area()->ActiveOutput(), nullptr);
    std::unique_ptr<wxPrintout> printout(view->OnCreatePrintout());
    auto* pager = dynamic_cast<platform::PrintPager*>(printout.get());
    ASSERT_NE(pager, nullptr);
    EXPECT_EQ(pager->GetTitle(), "TAVRO2");
    platform::RecordingCanvas rc({600, 600, {5100, 6600}, true});
    pager->Job()(rc);
    const auto texts = rc.Find(platform::OpKind::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0]->text, output::kBudgetPrintTitle);
    EXPECT_EQ(rc.Pages().size(), 1u);
    printout.reset();

    // Print and Print Preview need a scenario; Print Setup does not.
    auto enabled = [this](int id) {
        wxUpdateUIEvent e(id);
        e.SetEventObject(Frame());
        Frame()->ProcessWindowEvent(e);
        return !e.GetSetEnabled() || e.GetEnabled();
    };
    EXPECT_TRUE(enabled(wxID_PRINT));
    EXPECT_TRUE(enabled(wxID_PREVIEW));
    ASSERT_TRUE(App().DocManager()->CloseDocuments(true));
    Pump();
    EXPECT_FALSE(enabled(wxID_PRINT));
    EXPECT_FALSE(enabled(wxID_PREVIEW));
    EXPECT_TRUE(enabled(wxID_PRINT_SETUP));
}

#ifdef __WXGTK__
// File > Print to a PDF file through the toolkit's own print path, on A4 and
// Letter, portrait and landscape (chosen in Print Setup): the title stands
// one inch from the paper's left edge, the footer is centred on the page.
// A file name that is a folder makes no printout and one box that says so.
TEST_F(PrintGui, PrintToFileStandsOnThePaper) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    OnlyTheFilePrinter();
    Messages().Clear();
    const PrintDialogAnswer answer;
    wxPrintData& setup = App().DocManager()->GetPageSetupDialogData().GetPrintData();
    struct Case {
        const char* name;
        wxPaperSize paper;
        wxPrintOrientation orientation;
    };
    const Case cases[] = {
        {"a4-portrait", wxPAPER_A4, wxPORTRAIT},
        {"a4-landscape", wxPAPER_A4, wxLANDSCAPE},
        {"letter-portrait", wxPAPER_LETTER, wxPORTRAIT},
        {"letter-landscape", wxPAPER_LETTER, wxLANDSCAPE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string pdf = RunFolder() + "/" + c.name + ".pdf";
        std::remove(pdf.c_str());
        setup.SetPaperId(c.paper);
        setup.SetOrientation(c.orientation);
        platform::SetPrintToFile(setup, pdf);
        Command(wxID_PRINT);
        for (int i = 0; i < 40 && !wxFileName::FileExists(pdf); ++i) {
            Pump();
            wxMilliSleep(50);
        }
        Pump();
        ASSERT_TRUE(wxFileName::FileExists(pdf));
        double width = 0;
        const std::vector<Word> words = PdfWords(pdf, &width);
        ASSERT_FALSE(words.empty());
        EXPECT_EQ(words[0].text, "Spill");
        EXPECT_NEAR(words[0].left, 72.0, 0.5);
        // The footer's date, the lowest line: its words from the month to
        // the year.
        double lowest = 0;
        for (const Word& w : words) lowest = std::max(lowest, w.top);
        const Word* month = nullptr;
        const Word* year = nullptr;
        for (const Word& w : words)
            if (w.top > lowest - 1) {
                if (!month) month = &w;
                year = &w;
            }
        ASSERT_NE(month, nullptr);
        EXPECT_NEAR((month->left + year->right) / 2, width / 2, 0.5);
        EXPECT_TRUE(Messages().Texts().empty());
        // What the dialog chose is kept for the next print.
        EXPECT_EQ(platform::PrintFileOf(setup).utf8_string(), pdf);
    }

    // A folder in the file's place.
    const std::string folder = RunFolder() + "/a-folder.pdf";
    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    platform::SetPrintToFile(setup, folder);
    Messages().Clear();
    Command(wxID_PRINT);
    Pump();
    ASSERT_EQ(Messages().Texts().size(), 1u);
    EXPECT_EQ(Messages().Texts()[0].rfind("The printout was not made.\n\n", 0), 0u) << Messages().Texts()[0];
    EXPECT_NE(Messages().Texts()[0].find(folder), std::string::npos) << Messages().Texts()[0];
    EXPECT_TRUE(wxFileName::DirExists(folder));
}
#endif
