#include "ui/inputs/InputDialogs.h"

#include "ui/common/DialogRegistry.h"
#include "ui/inputs/WeatherDialogs.h"

namespace ui {

void RegisterInputDialogs() {
    // Wind and waves, water, emulsification, beaching.
    RegisterWeatherDialogs();
}

}  // namespace ui
