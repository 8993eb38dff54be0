// Turns a recording into SVG documents, one per page, for review and diffs:
// lines, polygons and text become their SVG elements, hatched brushes
// patterns, and the pixels of a page one embedded bitmap.
#pragma once

#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"

namespace platform {

std::vector<std::string> SvgPages(const RecordingCanvas& recording);

// Writes path (a one-page recording) or path with "-1", "-2" … before the
// extension. False, with the reason, when a file cannot be written.
bool WriteSvgFiles(const RecordingCanvas& recording, const std::string& path, std::string* error = nullptr);

}  // namespace platform
