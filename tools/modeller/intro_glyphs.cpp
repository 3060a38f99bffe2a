#include "tools/modeller/intro_glyphs.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/modeller/geometry.h"

namespace {

// Stroke weights and serif sizes, the same for every letter: one chisel cut
// them all, so a taller letter has the same strokes, drawn taller.
struct Style {
  double stem = 13.0;      // heavy vertical stroke
  double hair = 9.0;       // light vertical or diagonal stroke
  double bar = 9.0;        // horizontal stroke: arms, crossbars, bowl tops
  double slab = 6.5;       // thickness of a slab serif
  double reach = 5.0;      // how far a serif sticks out past its stroke
  double spur = 7.0;       // length of the vertical serif at an arm's end
  double slotWidth = 4.0;  // the inline slot cut through the heaviest stroke
  double slotTip = 4.0;    // length of each pointed end of the slot
  double slotGap = 7.0;    // solid left between the slot and a stroke's end
};

// A straight line through two points.
struct Line {
  Vec2 a, b;
  Vec2 direction() const { return b - a; }
  Line shifted(double dx) const { return {{a.x + dx, a.y}, {b.x + dx, b.y}}; }
  double xAt(double y) const { return a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y); }
  double yAt(double x) const { return a.y + (x - a.x) * (b.y - a.y) / (b.x - a.x); }
};

// Where two lines cross.
Vec2 meet(const Line& p, const Line& q) {
  const Vec2 d = p.direction(), e = q.direction();
  const double t = cross2(q.a - p.a, e) / cross2(d, e);
  return p.a + d * t;
}

// A superellipse point: exponent 2 is the ellipse, larger is squarer.
Vec2 superPoint(Vec2 centre, double rx, double ry, double degrees, double exponent) {
  const double a = degrees * pi / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  const double power = 2.0 / exponent;
  return {centre.x + rx * std::copysign(std::pow(std::fabs(c), power), c),
          centre.y + ry * std::copysign(std::pow(std::fabs(s), power), s)};
}

// Bowls are slightly squarer than ellipses, which suits the slab serifs.
constexpr double bowlExponent = 2.3;

// Draws a bowl's curve from one angle to another.
void bowl(LoopPen& pen, Vec2 centre, double rx, double ry, double fromDeg, double toDeg) {
  pen.curve([=](double t) {
    return superPoint(centre, rx, ry, fromDeg + (toDeg - fromDeg) * t, bowlExponent);
  });
}

// Halvings in a bisection: far below any visible difference.
constexpr int bisectionSteps = 60;

// The angle (degrees) at which the line crosses the bowl between the two
// angles, found by bisection.
double bowlCrossing(Vec2 centre, double rx, double ry, const Line& line, double lo, double hi) {
  const auto side = [&](double deg) {
    return cross2(line.direction(), superPoint(centre, rx, ry, deg, bowlExponent) - line.a);
  };
  const bool loSide = side(lo) > 0;
  for (int i = 0; i < bisectionSteps; ++i) {
    const double mid = 0.5 * (lo + hi);
    if ((side(mid) > 0) == loSide) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return 0.5 * (lo + hi);
}

// A pointed slot from tip to tip, `width` across.
Loop straightSlot(Vec2 from, Vec2 to, const Style& st) {
  const Vec2 along = normalized2(to - from);
  const Vec2 across{-along.y, along.x};
  const Vec2 half = across * (st.slotWidth / 2);
  LoopPen pen;
  pen.corner(from);
  pen.corner(from + along * st.slotTip - half);
  pen.corner(to - along * st.slotTip - half);
  pen.corner(to);
  pen.corner(to - along * st.slotTip + half);
  pen.corner(from + along * st.slotTip + half);
  return pen.close();
}

// A vertical slot down the middle of a stem from x0 to x1.
Loop stemSlot(double x0, double x1, double yFrom, double yTo, const Style& st) {
  const double x = 0.5 * (x0 + x1);
  return straightSlot({x, yFrom}, {x, yTo}, st);
}

// Adds a run of sharp points.
void corners(LoopPen& pen, std::initializer_list<Vec2> points) {
  for (const Vec2& p : points) pen.corner(p);
}

// L: a stem with slab serifs and a foot ending in an upward spur; the slot
// runs down the stem.
Glyph letterL(double w, double h, const Style& st) {
  const double x0 = st.reach, x1 = x0 + st.stem;
  LoopPen pen;
  corners(pen, {{0, 0}, {w, 0}, {w, st.bar + st.spur}, {w - st.slab, st.bar + st.spur},
                {w - st.slab, st.bar}, {x1, st.bar}, {x1, h - st.slab}, {x1 + st.reach, h - st.slab},
                {x1 + st.reach, h}, {0, h}, {0, h - st.slab}, {x0, h - st.slab}, {x0, st.slab},
                {0, st.slab}});
  return {pen.close(), stemSlot(x0, x1, st.bar + st.slotGap, h - st.slab - st.slotGap, st)};
}

// E: a stem and three arms ending in spurs, the middle arm shorter and
// spurred both ways; the slot runs down the stem.
Glyph letterE(double w, double h, const Style& st) {
  const double x0 = st.reach, x1 = x0 + st.stem;
  const double middle = 0.52 * h, midEnd = w - 0.08 * w, midSpur = 0.5 * st.spur;
  const double lo = middle - st.bar / 2, hi = middle + st.bar / 2;
  LoopPen pen;
  corners(pen, {{0, 0}, {w, 0}, {w, st.bar + st.spur}, {w - st.slab, st.bar + st.spur},
                {w - st.slab, st.bar}, {x1, st.bar}, {x1, lo}, {midEnd - st.slab, lo},
                {midEnd - st.slab, lo - midSpur}, {midEnd, lo - midSpur}, {midEnd, hi + midSpur},
                {midEnd - st.slab, hi + midSpur}, {midEnd - st.slab, hi}, {x1, hi},
                {x1, h - st.bar}, {w - st.slab, h - st.bar}, {w - st.slab, h - st.bar - st.spur},
                {w, h - st.bar - st.spur}, {w, h}, {0, h}, {0, h - st.slab}, {x0, h - st.slab},
                {x0, st.slab}, {0, st.slab}});
  return {pen.close(), stemSlot(x0, x1, st.bar + st.slotGap, h - st.bar - st.slotGap, st)};
}

// H: two stems serifed on both sides and a crossbar at half height; the
// slot runs down the left stem.
Glyph letterH(double w, double h, const Style& st) {
  const double l0 = st.reach, l1 = l0 + st.stem, r1 = w - st.reach, r0 = r1 - st.stem;
  const double lo = 0.5 * h - st.bar / 2, hi = 0.5 * h + st.bar / 2;
  LoopPen pen;
  corners(pen, {{0, 0}, {l1 + st.reach, 0}, {l1 + st.reach, st.slab}, {l1, st.slab}, {l1, lo},
                {r0, lo}, {r0, st.slab}, {r0 - st.reach, st.slab}, {r0 - st.reach, 0}, {w, 0},
                {w, st.slab}, {r1, st.slab}, {r1, h - st.slab}, {w, h - st.slab}, {w, h},
                {r0 - st.reach, h}, {r0 - st.reach, h - st.slab}, {r0, h - st.slab}, {r0, hi},
                {l1, hi}, {l1, h - st.slab}, {l1 + st.reach, h - st.slab}, {l1 + st.reach, h},
                {0, h}, {0, h - st.slab}, {l0, h - st.slab}, {l0, st.slab}, {0, st.slab}});
  return {pen.close(), stemSlot(l0, l1, st.slab + st.slotGap, h - st.slab - st.slotGap, st)};
}

// K: a stem, a light arm rising to a top serif and a heavy leg branching
// off the arm to a foot serif; the slot runs down the stem.
Glyph letterK(double w, double h, const Style& st) {
  const double x0 = st.reach, x1 = x0 + st.stem;
  const double innerReach = 0.7 * st.reach;  // the stem's serifs towards the arm and leg
  const double armWidth = st.hair + 2.0, legWidth = st.stem;
  const double armRight = w - st.reach, armLeft = armRight - armWidth;
  const Line armUpper{{x1, 0.47 * h}, {armLeft, h - st.slab}};
  const Line armLower = armUpper.shifted(armWidth);
  const double legRight = w - st.reach, legLeft = legRight - legWidth;
  const double joinX = x1 + 0.45 * st.stem;
  const Line legLeftEdge{{legLeft, st.slab}, {joinX, armLower.yAt(joinX)}};
  const Line legRightEdge = legLeftEdge.shifted(legWidth);
  const Vec2 legJoin = meet(legRightEdge, armLower);
  LoopPen pen;
  corners(pen, {{0, 0}, {x1 + innerReach, 0}, {x1 + innerReach, st.slab}, {x1, st.slab},
                {x1, armLower.yAt(x1)}, legLeftEdge.b, legLeftEdge.a,
                {legLeft - innerReach, st.slab}, {legLeft - innerReach, 0}, {w, 0}, {w, st.slab},
                legRightEdge.a, legJoin, {armRight, h - st.slab}, {w, h - st.slab}, {w, h},
                {armLeft - st.reach, h}, {armLeft - st.reach, h - st.slab}, armUpper.b,
                armUpper.a, {x1, h - st.slab}, {x1 + innerReach, h - st.slab},
                {x1 + innerReach, h}, {0, h}, {0, h - st.slab}, {x0, h - st.slab}, {x0, st.slab},
                {0, st.slab}});
  return {pen.close(), stemSlot(x0, x1, st.slab + st.slotGap, h - st.slab - st.slotGap, st)};
}

// V: a heavy left and a light right diagonal meeting on a short flat foot;
// the slot runs down the heavy stroke.
Glyph letterV(double w, double h, const Style& st) {
  const double heavy = st.stem + 3.0, light = st.hair + 2.0;
  const double top = h - st.slab, foot = 0.3 * st.stem;
  const double centre = 0.5 * (st.reach + heavy / 2) + 0.5 * (w - st.reach - light / 2);
  const Line leftOuter{{st.reach, top}, {centre - foot / 2, 0}};
  const Line rightOuter{{w - st.reach, top}, {centre + foot / 2, 0}};
  const Line leftInner = leftOuter.shifted(heavy), rightInner = rightOuter.shifted(-light);
  const Vec2 crotch = meet(leftInner, rightInner);
  LoopPen pen;
  corners(pen, {leftOuter.b, rightOuter.b, rightOuter.a, {w, top}, {w, h},
                {w - 2 * st.reach - light, h}, {w - 2 * st.reach - light, top}, rightInner.a,
                crotch, leftInner.a, {2 * st.reach + heavy, top}, {2 * st.reach + heavy, h},
                {0, h}, {0, top}, leftOuter.a});
  // The slot runs on down the heavy stroke past the crotch, where the two
  // strokes have merged and the letter is still wide enough to hold it.
  const Line middle = leftOuter.shifted(heavy / 2);
  const double yFrom = top - st.slotGap, yTo = 0.3 * h;
  return {pen.close(), straightSlot({middle.xAt(yFrom), yFrom}, {middle.xAt(yTo), yTo}, st)};
}

// A: a light left and a heavy right leg under a flat apex, with a low
// crossbar; the counter is the opening.
Glyph letterA(double w, double h, const Style& st) {
  const double reach = 0.8 * st.reach;
  const double light = st.hair, heavy = st.stem - 1.0;
  const double apex = st.hair, apexCentre = 0.5 * w + 0.05 * st.stem;
  const Line leftOuter{{reach, st.slab}, {apexCentre - apex / 2, h}};
  const Line rightOuter{{w - reach, st.slab}, {apexCentre + apex / 2, h}};
  const Line leftInner = leftOuter.shifted(light), rightInner = rightOuter.shifted(-heavy);
  const double barLow = 0.22 * h, barHigh = barLow + st.bar;
  LoopPen pen;
  corners(pen, {{0, 0}, {2 * reach + light, 0}, {2 * reach + light, st.slab}, leftInner.a,
                {leftInner.xAt(barLow), barLow}, {rightInner.xAt(barLow), barLow}, rightInner.a,
                {rightInner.a.x - reach, st.slab}, {rightInner.a.x - reach, 0}, {w, 0},
                {w, st.slab}, rightOuter.a, rightOuter.b, leftOuter.b, leftOuter.a,
                {0, st.slab}});
  LoopPen counter;
  corners(counter, {{leftInner.xAt(barHigh), barHigh}, meet(leftInner, rightInner),
                    {rightInner.xAt(barHigh), barHigh}});
  return {pen.close(), counter.close()};
}

// N: light stems and a heavy diagonal; the slot runs down the diagonal.
Glyph letterN(double w, double h, const Style& st) {
  const double light = st.hair, diagonal = st.stem + 2.0;
  const double l0 = st.reach, l1 = l0 + light, r1 = w - st.reach, r0 = r1 - light;
  const Line diagLower{{l0, h}, {r1 - diagonal, 0}};
  const Line diagUpper = diagLower.shifted(diagonal);
  LoopPen pen;
  corners(pen, {{0, 0}, {l1 + st.reach, 0}, {l1 + st.reach, st.slab}, {l1, st.slab},
                {l1, diagLower.yAt(l1)}, diagLower.b, {r1, 0}, {r1, h - st.slab},
                {w, h - st.slab}, {w, h}, {r0 - st.reach, h}, {r0 - st.reach, h - st.slab},
                {r0, h - st.slab}, {r0, diagUpper.yAt(r0)}, diagUpper.a, {0, h},
                {0, h - st.slab}, {l0, h - st.slab}, {l0, st.slab}, {0, st.slab}});
  const Line middle = diagLower.shifted(diagonal / 2);
  const double yFrom = h - st.slab - st.slotGap, yTo = st.slab + st.slotGap;
  return {pen.close(), straightSlot({middle.xAt(yFrom), yFrom}, {middle.xAt(yTo), yTo}, st)};
}

// U: a heavy left and a light right stem joined by a bowl; the slot runs
// down the left stem.
Glyph letterU(double w, double h, const Style& st) {
  const double l0 = st.reach, l1 = l0 + st.stem, r1 = w - st.reach, r0 = r1 - st.hair;
  const double bowlTop = 0.44 * h;
  const Vec2 outerCentre{0.5 * (l0 + r1), bowlTop}, innerCentre{0.5 * (l1 + r0), bowlTop};
  LoopPen pen;
  corners(pen, {{0, h}, {0, h - st.slab}, {l0, h - st.slab}});
  bowl(pen, outerCentre, 0.5 * (r1 - l0), bowlTop, 180, 360);
  corners(pen, {{r1, h - st.slab}, {w, h - st.slab}, {w, h}, {r0 - st.reach, h},
                {r0 - st.reach, h - st.slab}, {r0, h - st.slab}});
  bowl(pen, innerCentre, 0.5 * (r0 - l1), bowlTop - st.bar, 360, 180);
  corners(pen, {{l1, h - st.slab}, {l1 + st.reach, h - st.slab}, {l1 + st.reach, h}});
  return {pen.close(), stemSlot(l0, l1, bowlTop, h - st.slab - st.slotGap, st)};
}

// D: a stem and a bowl; the counter is the opening.
Glyph letterD(double w, double h, const Style& st) {
  const double x0 = st.reach, x1 = x0 + st.stem;
  const double bowlStart = x1 + 0.12 * (w - x1), bowlWeight = st.stem + 1.0;
  const Vec2 centre{bowlStart, 0.5 * h};
  LoopPen pen;
  pen.corner({0, 0});
  bowl(pen, centre, w - bowlStart, 0.5 * h, -90, 90);
  corners(pen, {{0, h}, {0, h - st.slab}, {x0, h - st.slab}, {x0, st.slab}, {0, st.slab}});
  LoopPen counter;
  counter.corner({x1, st.bar});
  bowl(counter, centre, w - bowlStart - bowlWeight, 0.5 * h - st.bar, -90, 90);
  counter.corner({x1, h - st.bar});
  return {pen.close(), counter.close()};
}

// R: a stem, an upper bowl and a heavy leg from the bowl's foot; the
// bowl's counter is the opening.
Glyph letterR(double w, double h, const Style& st) {
  const double x0 = st.reach, x1 = x0 + st.stem;
  const double bowlBottom = 0.43 * h, bowlStart = x1 + 0.3 * (w - x1);
  const double bowlRight = w - st.reach - 0.15 * st.stem, bowlWeight = st.stem;
  const Vec2 centre{bowlStart, 0.5 * (h + bowlBottom)};
  const double rx = bowlRight - bowlStart, ry = 0.5 * (h - bowlBottom);
  const double legRight = w - st.reach, legLeft = legRight - st.stem;
  const Line legLeftEdge{{x1 + 0.6 * st.stem, bowlBottom}, {legLeft, st.slab}};
  const Line legRightEdge = legLeftEdge.shifted(st.stem);
  const double join = bowlCrossing(centre, rx, ry, legRightEdge, -90, 0);
  LoopPen pen;
  corners(pen, {{0, 0}, {x1 + st.reach, 0}, {x1 + st.reach, st.slab}, {x1, st.slab},
                {x1, bowlBottom}, legLeftEdge.a, legLeftEdge.b, {legLeft - st.reach, st.slab},
                {legLeft - st.reach, 0}, {w, 0}, {w, st.slab}, legRightEdge.b});
  bowl(pen, centre, rx, ry, join, 90);
  corners(pen, {{0, h}, {0, h - st.slab}, {x0, h - st.slab}, {x0, st.slab}, {0, st.slab}});
  LoopPen counter;
  counter.corner({x1, bowlBottom + st.bar});
  counter.corner({x1, h - st.bar});
  bowl(counter, centre, rx - bowlWeight, ry - st.bar, 90, -90);
  return {pen.close(), counter.close()};
}

// The S is a stroke along a smooth spine path whose weight swells from
// hairline at the top and bottom to full on the spine; its ends are cut
// square across the path, which stands them up as vertical spurs.
struct SpineNode {
  double x, y;      // fractions of the letter's width and height
  double heading;   // direction of travel, degrees
  double weight;    // stroke weight as a fraction of the stem
};

constexpr std::array<SpineNode, 7> sNodes = {{{0.875, 0.70, 90, 0.62},
                                              {0.51, 0.94, 180, 0.62},
                                              {0.12, 0.73, 270, 1.0},
                                              {0.50, 0.50, -38, 1.12},
                                              {0.885, 0.27, 270, 1.0},
                                              {0.49, 0.06, 180, 0.62},
                                              {0.115, 0.30, 90, 0.62}}};
// Hermite tangent length as a fraction of the chord between nodes.
constexpr double sTangentScale = 1.25;

struct SpinePoint {
  Vec2 position, left;  // left: unit normal on the left of travel
  double weight;
};

// The spine path at u in [0, 1]: Hermite pieces between the nodes.
SpinePoint spineAt(double u, double w, double h, double stem) {
  const int pieces = static_cast<int>(sNodes.size()) - 1;
  const double x = std::clamp(u, 0.0, 1.0) * pieces;
  const int i = std::min(static_cast<int>(x), pieces - 1);
  const double t = x - i;
  const SpineNode& a = sNodes[static_cast<size_t>(i)];
  const SpineNode& b = sNodes[static_cast<size_t>(i) + 1];
  const Vec2 p0{a.x * w, a.y * h}, p1{b.x * w, b.y * h};
  const double chord = length2(p1 - p0) * sTangentScale;
  const Vec2 m0 = Vec2{std::cos(a.heading * pi / 180), std::sin(a.heading * pi / 180)} * chord;
  const Vec2 m1 = Vec2{std::cos(b.heading * pi / 180), std::sin(b.heading * pi / 180)} * chord;
  const double t2 = t * t, t3 = t2 * t;
  const Vec2 p = p0 * (2 * t3 - 3 * t2 + 1) + m0 * (t3 - 2 * t2 + t) + p1 * (-2 * t3 + 3 * t2) +
                 m1 * (t3 - t2);
  const Vec2 d = p0 * (6 * t2 - 6 * t) + m0 * (3 * t2 - 4 * t + 1) + p1 * (-6 * t2 + 6 * t) +
                 m1 * (3 * t2 - 2 * t);
  const double ease = t2 * (3 - 2 * t);
  const Vec2 along = normalized2(d);
  return {p, {-along.y, along.x}, stem * (a.weight + (b.weight - a.weight) * ease)};
}

// S: the stroke along the spine path; the slot follows the stroke's middle.
Glyph letterS(double w, double h, const Style& st) {
  const auto side = [=](double u, double sign) {
    const SpinePoint s = spineAt(u, w, h, st.stem);
    return s.position + s.left * (sign * s.weight / 2);
  };
  LoopPen pen;
  pen.curve([&](double t) { return side(t, 1.0); });
  pen.curve([&](double t) { return side(1.0 - t, -1.0); });

  // The slot follows the stroke's middle from the upper bowl's heavy left
  // side, down the spine, to the lower bowl's heavy right side.
  const double from = 0.3, to = 0.7;
  const Vec2 fromTip = spineAt(from, w, h, st.stem).position;
  const Vec2 toTip = spineAt(to, w, h, st.stem).position;
  double tip = 0.0;
  while (length2(spineAt(from + tip, w, h, st.stem).position - fromTip) < st.slotTip) tip += 1e-4;
  const auto slotSide = [&](double t, double sign) {
    const SpinePoint s = spineAt(from + tip + (to - from - 2 * tip) * t, w, h, st.stem);
    return s.position + s.left * (sign * st.slotWidth / 2);
  };
  LoopPen slot;
  slot.corner(fromTip);
  slot.curve([&](double t) { return slotSide(t, 1.0); });
  slot.corner(toTip);
  slot.curve([&](double t) { return slotSide(1.0 - t, -1.0); });
  return {pen.close(), slot.close()};
}

}  // namespace

Glyph designLetter(char letter, double width, double height) {
  const Style st{};
  Glyph glyph;
  switch (letter) {
    case 'A': glyph = letterA(width, height, st); break;
    case 'D': glyph = letterD(width, height, st); break;
    case 'E': glyph = letterE(width, height, st); break;
    case 'H': glyph = letterH(width, height, st); break;
    case 'K': glyph = letterK(width, height, st); break;
    case 'L': glyph = letterL(width, height, st); break;
    case 'N': glyph = letterN(width, height, st); break;
    case 'R': glyph = letterR(width, height, st); break;
    case 'S': glyph = letterS(width, height, st); break;
    case 'U': glyph = letterU(width, height, st); break;
    case 'V': glyph = letterV(width, height, st); break;
    default: return {};
  }
  return {orientLoop(glyph.outer, true), orientLoop(glyph.hole, false)};
}
