// Painting helpers shared by the texture recipes. Positions are in pixels;
// everything painted wraps around the picture's edges, so tiles stay seamless.
#pragma once
#include <initializer_list>

#include "tools/texgen/color_image.h"

// Blends color into the disc of radius around (cx, cy), with a soft edge one
// pixel wide, at the given opacity.
void paintDisc(ColorImage& image, float cx, float cy, float radius, Color color, float opacity);

// Paints a stroke from (x0, y0) to (x1, y1) whose half-width runs from w0 to
// w1 and whose colour runs from c0 to c1, with soft edges.
void paintStroke(ColorImage& image, float x0, float y0, float x1, float y1, float w0, float w1,
                 Color c0, Color c1, float opacity);

// Lights the picture by the slopes of a height field (light from the upper
// left): flat areas keep their colour, slopes facing the light brighten and
// the others darken. strength scales the height differences.
void applyRelief(ColorImage& image, const FloatField& height, float strength);

// One stop of a colour ramp.
struct RampStop {
  float at;
  Color color;
};

// The colour at t along the stops (sorted by at), held flat beyond the ends.
Color rampColor(std::initializer_list<RampStop> stops, float t);
