// The id of a new custom oil (column "TAVRO Oil ID"): "C" and two 8-digit
// upper-case hexadecimal numbers.
#pragma once

#include <ctime>
#include <string>

#include "document/Scenario.h"

namespace ui {

// The low 32 bits of now, then (first clock reading x 65536 + counter) in
// unsigned 32-bit arithmetic. Raises the session's counter; the first call
// of a session keeps the milliseconds since the program started (at least
// 1) as its first clock reading. Two ids of one session always differ.
std::string MakeCustomOilId(std::time_t now, document::SessionState& session);

}  // namespace ui
