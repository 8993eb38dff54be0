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
// A file that was created but could not be fully written: this, the file's
// path, ": " and the reason.
inline constexpr const char* kInputDumpWriteError = "Core: Cannot write the file ";

// "%a %d, %H:00" in local time, with English weekday names.
std::string FormatDumpTime(Time t, const platform::IClock& clock);

// The whole file, with CR LF line ends. rho0 and visc0 are the model's
// initial oil density and viscosity after the run.
std::string FormatInputDump(const Scenario& s, double rho0, double visc0, const platform::IClock& clock);

// Writes the file into folder (empty: the current directory), replacing
// the previous one only once the new one is complete. On failure shows one
// message (kInputDumpError when the file cannot be created, else the write
// error with its reason) and returns false.
bool WriteInputDump(const Scenario& s, double rho0, double visc0, const platform::IClock& clock,
                    const std::string& folder, platform::IMessages& messages);

}  // namespace document
