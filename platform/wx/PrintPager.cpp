#include "platform/wx/PrintPager.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include "platform/wx/WxDcCanvas.h"

namespace platform {

PrintPager::PrintPager(const wxString& title, PrintJob job) : wxPrintout(title), job_(std::move(job)) {}

PrintPager::~PrintPager() = default;

RecordingCanvas PrintPager::Record(const PrintJob& job, wxDC& measureDc, const DeviceInfo& device) {
    WxDcCanvas measure(measureDc, device.ppiX, device.ppiY, device.size, device.printing,
                       MeasureFontResolution(measureDc));
    return RecordJob(job, device, &measure);
}

DeviceInfo PrintPager::Device() const {
    DeviceInfo device;
    // The printer's own figures: a preview's DC is a scaled screen bitmap.
    GetPPIPrinter(&device.ppiX, &device.ppiY);
    GetPageSizePixels(&device.size.cx, &device.size.cy);
    device.printing = true;
    return device;
}

void PrintPager::OnPreparePrinting() {
    const DeviceInfo device = Device();
    recording_.reset();
    if (device.ppiX <= 0 || device.ppiY <= 0 || device.size.cx <= 0 || device.size.cy <= 0) return;
    if (wxDC* dc = GetDC(); dc && dc->IsOk()) {
        recording_ = std::make_unique<RecordingCanvas>(Record(job_, *dc, device));
        return;
    }
    // A preview may have no DC yet: any DC measures text in logical units.
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    recording_ = std::make_unique<RecordingCanvas>(Record(job_, dc, device));
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
    // One logical unit is one printer pixel, on paper and in a preview.
    MapScreenSizeToDevice();
    const DeviceInfo device = Device();
    WxDcCanvas canvas(*dc, device.ppiX, device.ppiY, device.size, true, MeasureFontResolution(*dc));
    return ReplayPage(*recording_, page - 1, canvas);
}

}  // namespace platform
