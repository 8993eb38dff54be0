// The one printout class of the program: a job (platform/PrintJob.h) and a
// job title. Before the first page it runs the job once on a recorder at the
// printer's resolution and page size, measuring text with the printer's
// fonts, which gives the page count; each page is then played back onto the
// printer's (or the preview's) device context, one logical unit being one
// printer pixel. Print, Print Preview and every printable window use it:
//   new platform::PrintPager("TAVRO2", [&doc](platform::Canvas& c) { ... });
#pragma once

#include <memory>

#include <wx/dc.h>
#include <wx/prntbase.h>

#include "platform/PrintJob.h"

namespace platform {

class PrintPager final : public wxPrintout {
public:
    PrintPager(const wxString& title, PrintJob job);
    ~PrintPager() override;

    // The job run on a recorder of the device, text measured on measureDc.
    static RecordingCanvas Record(const PrintJob& job, wxDC& measureDc, const DeviceInfo& device);

    void OnPreparePrinting() override;
    void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;

    const PrintJob& Job() const { return job_; }
    // Pages of the last preparation (0 before).
    int PageCount() const;

private:
    DeviceInfo Device() const;

    PrintJob job_;
    std::unique_ptr<RecordingCanvas> recording_;
};

}  // namespace platform
