// The pictures of the leaking-tank wizard's steps 1-5 without their
// windows: the tank seen from the side, turned a little so that its width
// shows, with what the step asks for marked: its length, width and height
// (step 1), the liquid level (step 2), the opening's shape and size (step
// 3), the opening's height above the bottom (step 4) and the water level
// outside (step 5). The step's own quantity follows what is typed on it
// while that reads as a sensible value, and a default otherwise; the tank
// and what earlier steps stored come from the scenario (a default tank when
// step 1 has stored none).
#pragma once

#include "document/Scenario.h"
#include "platform/Canvas.h"
#include "ui/inputs/rules/TankWizardRules.h"

namespace ui {

// The texts of the marks.
inline constexpr const char* kPictureLength = "Length";
inline constexpr const char* kPictureWidth = "Width";
inline constexpr const char* kPictureHeight = "Height";
inline constexpr const char* kPictureLiquidLevel = "Liquid level";
inline constexpr const char* kPictureDiameter = "Diameter";
inline constexpr const char* kPictureHoleHeight = "Hole height";
inline constexpr const char* kPictureWaterLevel = "Water level";

// The fills: the tank's front, side and top, the liquid inside (on the
// front and on the side), the water outside.
inline constexpr platform::Rgb kPictureFrontColour{236, 236, 236};
inline constexpr platform::Rgb kPictureSideColour{204, 204, 204};
inline constexpr platform::Rgb kPictureTopColour{222, 222, 222};
inline constexpr platform::Rgb kPictureLiquidColour{110, 110, 240};
inline constexpr platform::Rgb kPictureLiquidSideColour{80, 80, 200};
inline constexpr platform::Rgb kPictureWaterColour{160, 225, 160};

// The tank drawn when no size reads: its length, width and height.
inline constexpr double kPictureDefaultLength = 3, kPictureDefaultWidth = 2, kPictureDefaultHeight = 2;
// A side or the width is drawn at most this many times another side.
inline constexpr double kPictureMostRatio = 6;

// Draws step 1..5's picture inside area (nothing for another step). typed
// holds the step's form as its fields read now; stored is the scenario.
void DrawTankPicture(platform::Canvas& canvas, const platform::Rect& area, int step, const TankWizardForms& typed,
                     const document::Scenario& stored);

}  // namespace ui
