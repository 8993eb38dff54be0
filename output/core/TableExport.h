// Saving a table's text: never a half-written file, and a clear message
// when the file cannot be written. No toolkit; the views call it after
// their save dialog.
#pragma once

#include <string>
#include <string_view>

#include "platform/Messages.h"

namespace output {

// A name given without an extension gets extension (without its dot).
std::string WithDefaultExtension(const std::string& path, std::string_view extension);

// Writes bytes to path through a temporary file renamed over it. On failure
// the old file (if any) is left as it was, no temporary stays behind, and
// errorText is shown with the stop icon. True when the file was written.
bool SaveTableFile(const std::string& path, std::string_view bytes, std::string_view errorText,
                   platform::IMessages& messages);

// Asks before a file the user did not name exactly (an extension was added)
// is replaced. True to go on: the file does not exist or the user said Yes.
bool ConfirmReplace(const std::string& path, platform::IMessages& messages);

enum class SaveOutcome { Saved, Cancelled, Failed };

// Saves a table to the name chosen in its save dialog: a name without an
// extension gets extension, and a file of that completed name is replaced
// only when the user agrees; then SaveTableFile.
SaveOutcome SaveTableAs(const std::string& chosen, std::string_view extension, std::string_view bytes,
                        std::string_view errorText, platform::IMessages& messages);

}  // namespace output
