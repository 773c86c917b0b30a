#pragma once

#include "Canvas.h"
#include "imaging/Colour.h"

namespace pictaven::makedata::palette {

// The few colours that every window picture is drawn in, chosen to stand out on the window's
// blue without fighting it.
inline constexpr Rgba Ink = Rgba::rgb(27, 43, 89);
inline constexpr Rgba Paper = Rgba::rgb(255, 255, 255);
inline constexpr Rgba Mist = Rgba::rgb(214, 227, 250);
inline constexpr Rgba Blue = Rgba::rgb(52, 104, 210);
inline constexpr Rgba Amber = Rgba::rgb(255, 196, 61);
inline constexpr Rgba DeepAmber = Rgba::rgb(242, 154, 44);
inline constexpr Rgba Green = Rgba::rgb(62, 179, 112);
inline constexpr Rgba Coral = Rgba::rgb(240, 98, 86);

// The step panels and tool buttons the pictures lie on.
inline constexpr Colour Panel{224, 161, 129};
inline constexpr Rgba PanelBlue = Rgba::rgb(Panel.red, Panel.green, Panel.blue);

} // namespace pictaven::makedata::palette
