// The compass of the wind and water dialogs: directions typed as words or
// degrees, the wind arrow and the current line, a click on the card read as
// a speed and a direction, and the drawing of the card. Offsets are in
// device-independent pixels from the compass centre, y growing downwards.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Canvas.h"

namespace ui {

inline constexpr int kCompassRadius = 80;
inline constexpr double kCompassPi = 3.1416;
// Wind arrow: pixels per speed unit, the longest speed it shows and the
// largest typed speed it follows.
inline constexpr double kArrowPixelsPerSpeed = 3.2;
inline constexpr int kArrowSpeedCap = 25;
inline constexpr int kArrowFollowLimit = 70;
// Current line: pixels per speed unit and the largest speed it shows.
inline constexpr double kCurrentPixelsPerSpeed = 16;
inline constexpr double kCurrentSpeedCap = 5;
// Side of the square the card and its letters are drawn in.
inline constexpr int kCompassPanelSize = 216;

// Degrees of a typed direction: the eight compass words (any case, blanks
// around them allowed), an empty text or "0" give their bearing; anything
// else its leading whole number, and 361 (unreadable) when that is 0 or
// there is none.
int ParseCompassDirection(std::string_view text);

// The filled triangle of the wind arrow: its tip and two base points.
struct WindArrow {
    platform::Point tip, left, right;
    friend bool operator==(const WindArrow&, const WindArrow&) = default;
};

// The arrow of a wind from direction (degrees) at speed, or all points at
// the centre for a zero length.
WindArrow ArrowFor(double speed, double direction);
// The arrow whose tip is at an offset (a click).
WindArrow ArrowTo(platform::Point tip);

// The compass bearing of an offset in whole degrees, clockwise from up;
// straight up gives 360.
int BearingOf(platform::Point offset);

// A click on the wind compass at an offset: the arrow to it and the whole
// speed and direction; none farther out than the radius.
struct WindClick {
    WindArrow arrow;
    int speed = 0;
    int direction = 0;
};
std::optional<WindClick> WindClickAt(platform::Point offset);

// The end of the current line for a current flowing towards direction;
// none when speed is not above 0 or direction is below 0.
std::optional<platform::Point> CurrentEnd(double speed, double direction);

// A click on the water compass inside the radius: the line's end and the
// speed ("%.1f") and direction ("%.0f") texts.
struct CurrentClick {
    platform::Point end;
    std::string speed, direction;
};
std::optional<CurrentClick> CurrentClickAt(platform::Point offset);

// Draws the card around centre (device pixels), scale device pixels per
// device-independent pixel: a white disc, ticks every 10 degrees (longer
// every 45) and the eight letters outside it.
void DrawCompassCard(platform::Canvas& canvas, platform::Point centre, double scale);
// The red filled arrow on the card.
void DrawWindArrow(platform::Canvas& canvas, platform::Point centre, double scale, const WindArrow& arrow);
// The current as a 2-pixel cyan line from the centre.
void DrawCurrentLine(platform::Canvas& canvas, platform::Point centre, double scale, platform::Point end);

}  // namespace ui
