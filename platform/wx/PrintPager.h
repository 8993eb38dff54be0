// The one printout class of the program: a job (platform/PrintJob.h) and a
// job title. Before the first page it runs the job once on a recorder at the
// printer's resolution and paper size, which gives the page count; each page
// is then played back onto the printer's (or the preview's) device context,
// one logical unit being one printer pixel and (0, 0) the paper's top-left
// corner. Print, Print Preview and every printable window use it:
//   new platform::PrintPager("TAVRO2", [&doc](platform::Canvas& c) { ... });
#pragma once

#include <memory>

#include <wx/cmndata.h>
#include <wx/dc.h>
#include <wx/prntbase.h>

#include "platform/PrintJob.h"

class wxWindow;

namespace platform {

class IMessages;

class PrintPager final : public wxPrintout {
public:
    PrintPager(const wxString& title, PrintJob job);
    ~PrintPager() override;

    // The job run on a recorder of the device. Text is measured the same way
    // whatever will show the pages (a preview, a printer, a PDF file): on a
    // memory DC, in fonts as many of its pixels high as they are printer
    // pixels high, so that every one of them breaks the pages alike.
    static RecordingCanvas Record(const PrintJob& job, const DeviceInfo& device);

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

// The print settings every printout starts from: those of File > Print
// Setup, kept by the document manager. A print made puts the print dialog's
// choices (printer, paper) back in them for the next one.
wxPrintData& ProgramPrintData();

// Prints through the toolkit's print dialog, seeded from ProgramPrintData();
// pageRanges offers the dialog's page range. A printout that was not made
// gets one stop box saying why (the toolkit's own error box is kept back);
// true when it was printed.
bool PrintThroughDialog(wxWindow* parent, wxPrintout& printout, IMessages& messages, bool pageRanges);

// Print Preview of the two printouts (one to show, one for its Print
// button) in a frame at the size and place of `over`, the page fitted into
// it. Takes both; false, with a stop box, when no preview could be made.
bool ShowPrintPreview(wxWindow* over, wxPrintout* preview, wxPrintout* print, const wxString& title,
                      IMessages& messages);

// The file a print to a file goes to (the toolkit's file printer's or the
// data's own), empty for a printer.
wxString PrintFileOf(const wxPrintData& data);
// Makes data print to the PDF file at path through the toolkit's file printer.
void SetPrintToFile(wxPrintData& data, const wxString& path);

}  // namespace platform
