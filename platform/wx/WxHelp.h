// The help book shown in the toolkit's HTML help viewer: modal over the
// window that asks for a topic, or modeless for the whole book.
#pragma once

#include <memory>
#include <string>

#include <wx/html/helpctrl.h>

#include "platform/Help.h"
#include "platform/Messages.h"

namespace platform {

class WxHelp final : public IHelp {
public:
    // folder holds the book (tavro2.hhp); messages reports a missing book
    // (null: the process default at the time).
    explicit WxHelp(std::string folder, IMessages* messages = nullptr);
    ~WxHelp() override;

    void ShowTopic(const std::string& page, const std::string& anchor) override;
    void ShowContents() override;
    void ShowBook() override;
    // Closes the modeless viewer (before the window it belongs to goes).
    void CloseBook();

    // Loads the book once; false when it is missing or cannot be read.
    bool Load();
    const std::string& Folder() const { return folder_; }
    // The loaded book's contents (after Load).
    const wxHtmlHelpData& Data();

    // The message shown when the book cannot be loaded.
    std::string MissingText() const;

private:
    wxHtmlHelpController& Controller();
    bool Ready();  // loaded, or says why not

    std::string folder_;
    IMessages* messages_;
    std::unique_ptr<wxHtmlHelpController> controller_;  // modal
    std::unique_ptr<wxHtmlHelpController> beside_;      // modeless, made on first use
    int loaded_ = -1;  // -1 not tried, 0 failed, 1 loaded
};

}  // namespace platform
