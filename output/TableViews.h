// Registers the oil budget table and the ICS table with the output area.
#pragma once

namespace output {

void RegisterTableViews();

}  // namespace output
