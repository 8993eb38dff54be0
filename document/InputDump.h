// "TavroInput.dmp": a listing of every dialog variable and input record,
// for people checking a run. Nothing reads it back.
#pragma once

#include <string>

#include "document/Scenario.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

namespace document {

inline constexpr const char* kInputDumpName = "TavroInput.dmp";
inline constexpr const char* kInputDumpError = "Core: Cannot create dump file";

// "%a %d, %H:00" in local time, with English weekday names.
std::string FormatDumpTime(Time t, const platform::IClock& clock);

// The whole file, with CR LF line ends. rho0 and visc0 are the model's
// initial oil density and viscosity after the run.
std::string FormatInputDump(const Scenario& s, double rho0, double visc0, const platform::IClock& clock);

// Writes the file into the output folder, replacing the previous one; on
// failure shows kInputDumpError and returns false.
bool WriteInputDump(const Scenario& s, double rho0, double visc0, const platform::IClock& clock,
                    platform::IMessages& messages);

}  // namespace document
