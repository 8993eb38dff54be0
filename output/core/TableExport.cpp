#include "output/core/TableExport.h"

#include "platform/Files.h"

namespace output {

std::string WithDefaultExtension(const std::string& path, std::string_view extension) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name =
        slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
    if (name.empty() || extension.empty() || name.find('.') != std::string_view::npos) return path;
    return path + "." + std::string(extension);
}

bool SaveTableFile(const std::string& path, std::string_view bytes, std::string_view errorText,
                   platform::IMessages& messages) {
    if (!path.empty() && platform::SafeReplaceFile(path, bytes)) return true;
    messages.Show(errorText, platform::MsgIcon::Stop, platform::MsgButtons::Ok);
    return false;
}

bool ConfirmReplace(const std::string& path, platform::IMessages& messages) {
    if (!platform::FileExists(path)) return true;
    return messages.Show(path + " already exists.\nDo you want to replace it?", platform::MsgIcon::Exclamation,
                         platform::MsgButtons::YesNo) == platform::MsgResult::Yes;
}

SaveOutcome SaveTableAs(const std::string& chosen, std::string_view extension, std::string_view bytes,
                        std::string_view errorText, platform::IMessages& messages) {
    const std::string path = WithDefaultExtension(chosen, extension);
    if (path != chosen && !ConfirmReplace(path, messages)) return SaveOutcome::Cancelled;
    return SaveTableFile(path, bytes, errorText, messages) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

}  // namespace output
