// Message boxes on wxWidgets, titled "TAVRO2".
#pragma once

#include "platform/Messages.h"

namespace platform {

class WxMessages final : public IMessages {
public:
    MsgResult Show(std::string_view text, MsgIcon icon, MsgButtons buttons) override;
};

}  // namespace platform
