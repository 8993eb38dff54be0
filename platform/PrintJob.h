// A printout as a job: one function that draws every page of it on a canvas,
// ending each page but the last with endPage() and opening the next with
// startPage(). The job runs once on a recorder, which splits it into pages;
// each page is then played back onto the device that prints or previews it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/Canvas.h"
#include "platform/RecordingCanvas.h"

namespace platform {

using PrintJob = std::function<void(Canvas&)>;

// Runs the job on a recorder of the device; text is measured through measure
// while the job runs (may be null: the fixed metrics). The recorder returned
// keeps no use of measure for playing back.
RecordingCanvas RecordJob(const PrintJob& job, const DeviceInfo& device, Canvas* measure);

// Plays page `page` (0-based) of a recording onto a canvas in its initial
// state: first the state in force where the page begins, then the page's
// calls as they were made. A restore without its save on the page brings
// back the recorded state. A page out of range plays nothing (false).
bool ReplayPage(const RecordingCanvas& recording, int page, Canvas& canvas);

// The one box of a printout that was not made: that it was not made, then
// why. The toolkit's reason when it gives one; else, for a print to a file,
// what is wrong with the file's path as far as it can be told.
std::string PrintFailedText(std::string_view toolkitReason, const std::string& file);

}  // namespace platform
