#include "ui/oils/rules/CustomOilId.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace ui {

namespace {

const std::chrono::steady_clock::time_point kProgramStart = std::chrono::steady_clock::now();

int MillisecondsSinceStart() {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - kProgramStart);
    return static_cast<int>(std::clamp<long long>(ms.count(), 1, 0x7FFFFFFF));
}

}  // namespace

std::string MakeCustomOilId(std::time_t now, document::SessionState& session) {
    ++session.customOilCounter;
    if (session.customOilFirstClock == 0) session.customOilFirstClock = MillisecondsSinceStart();
    const auto seconds = static_cast<std::uint32_t>(static_cast<std::uint64_t>(now));
    const std::uint32_t second = static_cast<std::uint32_t>(session.customOilFirstClock) * 65536u +
                                 static_cast<std::uint32_t>(session.customOilCounter);
    char text[24];
    std::snprintf(text, sizeof text, "C%08X%08X", static_cast<unsigned>(seconds), static_cast<unsigned>(second));
    return text;
}

}  // namespace ui
