// 8-bit texts of the library, the scenario file and the model, made into
// wxString for display only.
#pragma once

#include <string_view>

#include <wx/string.h>

namespace platform {

// UTF-8 when the bytes are valid UTF-8, else Windows-1252 (the code page of
// the library files).
wxString ToWx(std::string_view bytes);

}  // namespace platform
