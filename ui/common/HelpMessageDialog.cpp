#include "ui/common/HelpMessageDialog.h"

#include <optional>

#include <wx/button.h>
#include <wx/html/htmlwin.h>
#include <wx/sizer.h>

#include "document/Paths.h"
#include "platform/Files.h"
#include "platform/wx/WxText.h"

namespace ui {

namespace {

std::optional<std::string>& FolderSetting() {
    static std::optional<std::string> folder;
    return folder;
}

// The fragment's HTML, or a short text naming where it was looked for.
wxString FragmentHtml(const HelpRow& row) {
    const std::string path = HelpFolder() + "/brief/" + row.fragment + ".html";
    std::string html;
    if (!HelpFolder().empty() && platform::ReadWholeFile(path, html)) return platform::ToWx(html);
    return "<html><body><p>The help text could not be found in " + platform::ToWx(HelpFolder()) +
           ".</p></body></html>";
}

}  // namespace

const std::string& HelpFolder() {
    std::optional<std::string>& folder = FolderSetting();
    if (!folder) folder = document::AppPaths::ForThisProcess().helpFolder;
    return *folder;
}

void SetHelpFolder(const std::string& folder) { FolderSetting() = folder; }

HelpMessageDialog::HelpMessageDialog(wxWindow* parent, HelpDialog which, platform::IHelp& help)
    : wxDialog(parent, wxID_ANY, HelpRowFor(which).caption), which_(which), help_(help) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    text_ = new wxHtmlWindow(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(440, 220)), wxHW_SCROLLBAR_AUTO);
    text_->SetBorders(FromDIP(6));
    text_->SetPage(FragmentHtml(HelpRowFor(which)));
    top->Add(text_, 1, wxEXPAND | wxALL, FromDIP(8));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* more = new wxButton(this, ID_HELP_READ_MORE, "Read more about it in the online manual");
    auto* done = new wxButton(this, wxID_OK, "Done");
    buttons->Add(more, 0, wxRIGHT, FromDIP(8));
    buttons->AddStretchSpacer();
    buttons->Add(done, 0);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    SetSizerAndFit(top);

    done->SetDefault();
    SetAffirmativeId(wxID_OK);
    SetEscapeId(wxID_OK);
    done->SetFocus();
    Bind(wxEVT_BUTTON, &HelpMessageDialog::OnReadMore, this, ID_HELP_READ_MORE);
    CentreOnParent();
}

void HelpMessageDialog::OnReadMore(wxCommandEvent&) {
    const HelpRow& row = HelpRowFor(which_);
    if (*row.page == '\0')
        help_.ShowContents();
    else
        help_.ShowTopic(row.page, row.anchor);
}

void ShowHelpDialog(wxWindow* parent, HelpDialog which) {
    HelpMessageDialog dialog(parent, which);
    dialog.ShowModal();
}

}  // namespace ui
