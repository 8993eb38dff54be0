#include "document/AskToSave.h"

#include "document/SpillDoc.h"

namespace document {

std::string SaveQuestion(const std::string& name) { return "Do you want to save the changes to " + name + "?"; }

CloseChoice AskToSave(const SpillDocCore& doc, const std::string& name, platform::IMessages& messages,
                      const std::function<bool()>& save) {
    if (!doc.IsModified()) return CloseChoice::Close;
    switch (messages.Show(SaveQuestion(name), platform::MsgIcon::Question, platform::MsgButtons::YesNoCancel)) {
        case platform::MsgResult::Yes: return save && save() ? CloseChoice::Close : CloseChoice::Stay;
        case platform::MsgResult::No: return CloseChoice::Close;
        default: return CloseChoice::Stay;
    }
}

}  // namespace document
