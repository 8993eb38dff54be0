// The question before a scenario with unsaved input closes.
#pragma once

#include <functional>
#include <string>

#include "platform/Messages.h"

namespace document {

class SpillDocCore;

enum class CloseChoice { Close, Stay };

std::string SaveQuestion(const std::string& name);

// Unmodified: close. Otherwise asks "Do you want to save the changes to
// <name>?": Yes saves (a failed save stays open, its error already shown),
// No closes without saving, Cancel stays.
CloseChoice AskToSave(const SpillDocCore& doc, const std::string& name, platform::IMessages& messages,
                      const std::function<bool()>& save);

}  // namespace document
