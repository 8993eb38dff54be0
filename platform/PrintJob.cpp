#include "platform/PrintJob.h"

#include <filesystem>
#include <system_error>

namespace platform {

namespace {

// Sets on canvas what differs between the state in force and the wanted one.
void MoveState(Canvas& canvas, const CanvasState& from, const CanvasState& to) {
    if (!(from.pen == to.pen)) canvas.setPen(to.pen);
    if (!(from.brush == to.brush)) canvas.setBrush(to.brush);
    if (!(from.font == to.font)) canvas.setFont(to.font);
    if (!(from.textColour == to.textColour)) canvas.setTextColour(to.textColour);
    if (!(from.textBackground == to.textBackground) || from.opaqueText != to.opaqueText)
        canvas.setTextBackground(to.textBackground, to.opaqueText);
    if (to.clipped && (!from.clipped || !(from.clip == to.clip)))
        canvas.setClip(to.clip);
    else if (!to.clipped && from.clipped)
        canvas.resetClip();
}

}  // namespace

RecordingCanvas RecordJob(const PrintJob& job, const DeviceInfo& device, Canvas* measure) {
    RecordingCanvas recorder(device, measure);
    if (job) job(recorder);
    recorder.SetMeasure(nullptr);
    return recorder;
}

bool ReplayPage(const RecordingCanvas& recording, int page, Canvas& canvas) {
    const auto& pages = recording.Pages();
    if (page < 0 || static_cast<std::size_t>(page) >= pages.size()) return false;
    // Every op carries the state in force after it: the last op of the page
    // before holds the state this page begins in.
    CanvasState state;
    for (int p = page - 1; p >= 0; --p) {
        if (!pages[static_cast<std::size_t>(p)].empty()) {
            state = pages[static_cast<std::size_t>(p)].back().state;
            break;
        }
    }
    MoveState(canvas, CanvasState{}, state);
    int depth = 0;  // saves made on this page and not restored yet
    for (const Op& op : pages[static_cast<std::size_t>(page)]) {
        switch (op.kind) {
            case OpKind::Save:
                canvas.save();
                ++depth;
                break;
            case OpKind::Restore:
                canvas.restore();
                if (depth > 0)
                    --depth;
                else
                    MoveState(canvas, state, op.state);
                break;
            case OpKind::SetPen: canvas.setPen(op.state.pen); break;
            case OpKind::SetBrush: canvas.setBrush(op.state.brush); break;
            case OpKind::SetFont: canvas.setFont(op.state.font); break;
            case OpKind::SetTextColour: canvas.setTextColour(op.state.textColour); break;
            case OpKind::SetTextBackground:
                canvas.setTextBackground(op.state.textBackground, op.state.opaqueText);
                break;
            case OpKind::SetClip: canvas.setClip(op.rect); break;
            case OpKind::ResetClip: canvas.resetClip(); break;
            case OpKind::Line:
                if (op.points.size() == 2) canvas.line(op.points[0], op.points[1]);
                break;
            case OpKind::Polyline: canvas.polyline(op.points); break;
            case OpKind::Polygon: canvas.polygon(op.points); break;
            case OpKind::Rectangle: canvas.rectangle(op.rect); break;
            case OpKind::FillRect: canvas.fillRect(op.rect, op.brush); break;
            case OpKind::SetPixels: canvas.setPixels(op.pixels); break;
            case OpKind::Text:
                if (!op.points.empty()) canvas.text(op.points[0], op.text, op.halign, op.valign);
                break;
            case OpKind::TextInRect: canvas.textInRect(op.rect, op.text, op.halign, op.vcentre); break;
            case OpKind::Image: canvas.image(op.text, op.rect); break;
            case OpKind::EndPage: canvas.endPage(); break;
            case OpKind::StartPage: canvas.startPage(); break;
        }
        state = op.state;
    }
    return true;
}

std::string PrintFailedText(std::string_view toolkitReason, const std::string& file) {
    std::string text = "The printout was not made.";
    std::string reason(toolkitReason);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' ')) reason.pop_back();
    if (reason.empty() && !file.empty()) {
        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path path(file);
        const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
        if (fs::is_directory(path, ec))
            reason = "\"" + file + "\" is a folder, not a file.";
        else if (!fs::is_directory(folder, ec))
            reason = "The folder of \"" + file + "\" does not exist.";
        else
            reason = "The file \"" + file + "\" could not be written.";
    } else if (!file.empty()) {
        reason += "\n\nFile: " + file;
    }
    if (reason.empty()) reason = "The printer did not take it.";
    return text + "\n\n" + reason;
}

}  // namespace platform
