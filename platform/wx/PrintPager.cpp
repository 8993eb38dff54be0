#include "platform/wx/PrintPager.h"

#include <cmath>

#include <algorithm>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcprint.h>
#include <wx/docview.h>
#include <wx/log.h>
#include <wx/print.h>

#ifdef __WXGTK__
#include <dlfcn.h>

#include <wx/gtk/print.h>
#endif

#include "platform/Messages.h"
#include "platform/wx/WxDcCanvas.h"

namespace platform {

namespace {

#ifdef __WXGTK__
// The toolkit's own print calls, looked up in the running program (the
// toolkit has them loaded; no headers of theirs are needed to build).
template <class F>
F ToolkitCall(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

GtkPrintSettings* SettingsOf(const wxPrintData& data) {
    auto* native = dynamic_cast<wxGtkPrintNativeData*>(const_cast<wxPrintData&>(data).GetNativeData());
    return native ? native->GetPrintConfig() : nullptr;
}

const char* GetSetting(GtkPrintSettings* settings, const char* key) {
    using Get = const char* (*)(GtkPrintSettings*, const char*);
    const Get get = ToolkitCall<Get>("gtk_print_settings_get");
    return settings && get ? get(settings, key) : nullptr;
}

void SetSetting(GtkPrintSettings* settings, const char* key, const char* value) {
    using Set = void (*)(GtkPrintSettings*, const char*, const char*);
    if (const Set set = ToolkitCall<Set>("gtk_print_settings_set"); settings && set) set(settings, key, value);
}

// A local path as a file URI and back (empty when it is none).
wxString Uri(const wxString& path, bool toUri) {
    using Convert = char* (*)(const char*, const char*, void**);
    using ConvertBack = char* (*)(const char*, char**, void**);
    using Free = void (*)(void*);
    const Free release = ToolkitCall<Free>("g_free");
    char* out = nullptr;
    if (toUri) {
        if (const Convert to = ToolkitCall<Convert>("g_filename_to_uri")) out = to(path.utf8_str(), nullptr, nullptr);
    } else if (const ConvertBack back = ToolkitCall<ConvertBack>("g_filename_from_uri")) {
        out = back(path.utf8_str(), nullptr, nullptr);
    }
    const wxString result = out ? wxString::FromUTF8(out) : wxString();
    if (out && release) release(out);
    return result;
}

constexpr const char* kFilePrinter = "Print to File";  // the toolkit's file printer
#endif

// Where the DC puts its pixel (0, 0), in printer pixels from the paper's
// top-left corner. The toolkit's printer DC starts a landscape page at the
// portrait paper's margin difference; its own paper rectangle says 0.
wxPoint PaperOffset(wxDC& dc, const wxRect& paperRect, int ppiX, int ppiY) {
#ifdef __WXGTK__
    if (dynamic_cast<wxPrinterDC*>(&dc)) {
        using ToDevice = void (*)(void*, double*, double*);
        const ToDevice toDevice = ToolkitCall<ToDevice>("cairo_user_to_device");
        if (void* cr = dc.GetImpl()->GetCairoContext(); cr && toDevice) {
            double x = 0, y = 0;  // the page's units are points
            toDevice(cr, &x, &y);
            return {static_cast<int>(std::lround(x * ppiX / 72.0)), static_cast<int>(std::lround(y * ppiY / 72.0))};
        }
    }
#else
    (void)dc, (void)ppiX, (void)ppiY;
#endif
    return {-paperRect.x, -paperRect.y};
}

}  // namespace

PrintPager::PrintPager(const wxString& title, PrintJob job) : wxPrintout(title), job_(std::move(job)) {}

PrintPager::~PrintPager() = default;

RecordingCanvas PrintPager::Record(const PrintJob& job, const DeviceInfo& device) {
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    const int dcPpi = dc.GetPPI().y > 0 ? dc.GetPPI().y : 96;
    WxDcCanvas measure(dc, device.ppiX, device.ppiY, device.size, device.printing, dcPpi);
    return RecordJob(job, device, &measure);
}

DeviceInfo PrintPager::Device() const {
    DeviceInfo device;
    // The printer's own figures: a preview's DC is a scaled screen bitmap.
    GetPPIPrinter(&device.ppiX, &device.ppiY);
    GetPageSizePixels(&device.size.cx, &device.size.cy);
    // The page is laid out on the whole sheet, its margins measured from
    // the sheet's edges.
    if (const wxRect paper = GetPaperRectPixels(); paper.width > 0 && paper.height > 0) device.size = {paper.width, paper.height};
    device.printing = true;
    return device;
}

void PrintPager::OnPreparePrinting() {
    const DeviceInfo device = Device();
    recording_.reset();
    if (device.ppiX <= 0 || device.ppiY <= 0 || device.size.cx <= 0 || device.size.cy <= 0) return;
    recording_ = std::make_unique<RecordingCanvas>(Record(job_, device));
}

int PrintPager::PageCount() const { return recording_ ? static_cast<int>(recording_->Pages().size()) : 0; }

void PrintPager::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) {
    const int pages = PageCount();
    *minPage = pages > 0 ? 1 : 0;
    *maxPage = pages;
    *selPageFrom = *minPage;
    *selPageTo = pages;
}

bool PrintPager::HasPage(int page) { return page >= 1 && page <= PageCount(); }

bool PrintPager::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc || !dc->IsOk() || !HasPage(page)) return false;
    // One logical unit is one printer pixel, on paper and in a preview, and
    // the logical (0, 0) is the sheet's top-left corner.
    MapScreenSizeToDevice();
    const DeviceInfo device = Device();
    if (!IsPreview()) {
        const wxPoint offset = PaperOffset(*dc, GetPaperRectPixels(), device.ppiX, device.ppiY);
        if (offset != wxPoint(0, 0)) dc->SetDeviceOrigin(-offset.x, -offset.y);
    }
    WxDcCanvas canvas(*dc, device.ppiX, device.ppiY, device.size, true, MeasureFontResolution(*dc));
    return ReplayPage(*recording_, page - 1, canvas);
}

namespace {

// Keeps what the toolkit logs as an error while it is in force, instead of
// showing it in a box of its own.
class KeptLog final : public wxLog {
public:
    KeptLog() : previous_(wxLog::SetActiveTarget(this)) {}
    ~KeptLog() override { wxLog::SetActiveTarget(previous_); }
    KeptLog(const KeptLog&) = delete;
    KeptLog& operator=(const KeptLog&) = delete;

    // The errors logged, without the toolkit's "Error while printing:".
    std::string Reason() const {
        std::string text = text_;
        constexpr std::string_view kPrefix = "Error while printing:";
        if (text.rfind(kPrefix, 0) == 0) text.erase(0, kPrefix.size());
        text.erase(0, std::min(text.find_first_not_of(" \n"), text.size()));
        return text;
    }

protected:
    void DoLogTextAtLevel(wxLogLevel level, const wxString& msg) override {
        if (level > wxLOG_Warning) return;
        if (!text_.empty()) text_ += "\n";
        text_ += msg.utf8_string();
    }

private:
    wxLog* previous_;
    std::string text_;
};

// The zoom, in percent, that shows a whole page of pageMm millimetres in a
// canvas of canvasPx pixels at ppi.
int FittedZoom(wxSize pageMm, wxSize canvasPx, int ppi) {
    if (pageMm.x <= 0 || pageMm.y <= 0 || ppi <= 0) return 100;
    const double pageX = pageMm.x / 25.4 * ppi, pageY = pageMm.y / 25.4 * ppi;
    const double fit = std::min(canvasPx.x / pageX, canvasPx.y / pageY);
    return std::clamp(static_cast<int>(fit * 100), 10, 200);
}

}  // namespace

wxPrintData& ProgramPrintData() {
    if (wxDocManager* manager = wxDocManager::GetDocumentManager())
        return manager->GetPageSetupDialogData().GetPrintData();
    static wxPrintData data;  // a program without a document manager (tests)
    return data;
}

bool PrintThroughDialog(wxWindow* parent, wxPrintout& printout, IMessages& messages, bool pageRanges) {
    wxPrintDialogData data(ProgramPrintData());
    data.EnableSelection(false);
    data.EnablePageNumbers(pageRanges);
    data.SetAllPages(true);
    wxPrinter printer(&data);
    bool printed = false;
    std::string reason;
    {
        const KeptLog log;
        printed = printer.Print(parent, &printout, true);
        reason = log.Reason();
    }
    if (printed) {
        ProgramPrintData() = printer.GetPrintDialogData().GetPrintData();
        return true;
    }
    if (wxPrinter::GetLastError() == wxPRINTER_ERROR) {
        wxString file = PrintFileOf(printer.GetPrintDialogData().GetPrintData());
        if (file.empty()) file = PrintFileOf(data.GetPrintData());
        messages.Show(PrintFailedText(reason, file.utf8_string()), MsgIcon::Stop, MsgButtons::Ok);
    }
    return false;
}


bool ShowPrintPreview(wxWindow* over, wxPrintout* preview, wxPrintout* print, const wxString& title,
                      IMessages& messages) {
    wxPrintDialogData data(ProgramPrintData());
    auto* pages = new wxPrintPreview(preview, print, &data);
    if (!pages->IsOk()) {
        delete pages;
        messages.Show(PrintFailedText("Print Preview could not be made.", ""), MsgIcon::Stop, MsgButtons::Ok);
        return false;
    }
    const wxRect place = over ? over->GetScreenRect() : wxRect(wxDefaultPosition, wxSize(900, 700));
    auto* frame = new wxPreviewFrame(pages, over, title, place.GetPosition(), place.GetSize());
    frame->Initialize();
    frame->SetSize(place);
    frame->Show(true);
    frame->Layout();
    if (wxWindow* canvas = pages->GetCanvas()) {
        int mmX = 0, mmY = 0;
        preview->GetPageSizeMM(&mmX, &mmY);
        // A margin round the page as the canvas draws it.
        const wxSize room = canvas->GetClientSize() - canvas->FromDIP(wxSize(40, 40));
        const int zoom = FittedZoom({mmX, mmY}, room, canvas->GetDPI().y > 0 ? canvas->GetDPI().y : 96);
        pages->SetZoom(zoom);
        if (wxPreviewControlBar* bar = frame->GetControlBar()) bar->SetZoomControl(zoom);
    }
    return true;
}

wxString PrintFileOf(const wxPrintData& data) {
#ifdef __WXGTK__
    GtkPrintSettings* settings = SettingsOf(data);
    const char* printer = GetSetting(settings, "printer");
    if (const char* uri = GetSetting(settings, "output-uri"); uri && printer && wxString::FromUTF8(printer) == kFilePrinter) {
        const wxString path = Uri(wxString::FromUTF8(uri), false);
        return path.empty() ? wxString::FromUTF8(uri) : path;
    }
#endif
    return data.GetPrintMode() == wxPRINT_MODE_FILE ? data.GetFilename() : wxString();
}

void SetPrintToFile(wxPrintData& data, const wxString& path) {
    data.SetFilename(path);
    data.SetPrintMode(wxPRINT_MODE_FILE);
#ifdef __WXGTK__
    data.SetPrinterName(kFilePrinter);
    data.ConvertToNative();
    GtkPrintSettings* settings = SettingsOf(data);
    SetSetting(settings, "printer", kFilePrinter);
    SetSetting(settings, "output-uri", Uri(path, true).utf8_str());
    SetSetting(settings, "output-file-format", "pdf");
#endif
}

}  // namespace platform
