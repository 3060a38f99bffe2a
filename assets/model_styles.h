// How every mesh of the eight models is drawn: its UV scale and its fixed GL
// state changes, one entry per mesh in catalogue order. The geometry comes
// from the generated tables; models.cpp joins the two into the descriptors.
#pragma once
#include <array>

#include "assets/mesh.h"
#include "assets/mesh_number.h"

// The fireball's three corner colours (first, second, third corner of every
// triangle), the one mutable model state; fireballModel's setters write it.
extern float fireballCornerColours[3][3];

namespace modelstyle {

constexpr double untextured = 0.0;

// Stage.
constexpr double columnUvScale = 1.0;
constexpr double walkwayUvScale = 5.0;
constexpr double sphereUvScale = 7.0;
constexpr float columnColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr float domeColour[4] = {0.0f, 0.0f, 0.9f, 0.18f};
// Pool.
constexpr double basinUvScale = 5.0;
constexpr float rimColour[3] = {0.5f, 0.5f, 0.5f};
// Earth.
constexpr double landUvScale = 20.0;
constexpr double oceanUvScale = 1.0;
// Bird, intro and tree.
constexpr double birdUvScale = 0.5;
constexpr double letterUvScale = 6.0;
constexpr double barkUvScale = 3.0;
constexpr double leafUvScale = 10.0;
constexpr int treeMeshCount = 91;

// A mesh that changes no GL state.
constexpr MeshDrawState noChanges{};

// A textured mesh that switches texturing on for itself and off after.
constexpr MeshDrawState ownTexturing = noChanges.texturing(GlSwitch::enable, GlSwitch::disable);

// The column: own texturing, modulated by opaque white on every triangle.
constexpr MeshDrawState column = ownTexturing.colouredRgba(columnColour);

// A translucent dome; the first of the four switches blending on, the last off.
constexpr MeshDrawState dome(GlSwitch blendBefore, GlSwitch blendAfter) {
  return noChanges.texturing(GlSwitch::disable, GlSwitch::untouched)
      .blending(blendBefore, blendAfter)
      .colouredRgba(domeColour);
}

// A pool rim: untextured grey, leaving texturing as the basins left it.
constexpr MeshDrawState rim = noChanges.colouredRgb(rimColour);

// The marker sphere: only its regular scatter of triangles.
constexpr MeshDrawState markerScatter = noChanges.filtered(FaceFilter::marker);

// The fireball: each corner in its settable colour.
constexpr MeshDrawState fireballCorners = noChanges.cornerColoured(fireballCornerColours);

// The same style for every mesh of a model.
template <std::size_t count>
constexpr std::array<MeshStyle, count> uniform(MeshStyle style) {
  std::array<MeshStyle, count> styles{};
  for (MeshStyle& s : styles) s = style;
  return styles;
}

// The tree: meshes of odd numbers are bark, those of even numbers leaves.
constexpr std::array<MeshStyle, treeMeshCount> treeStyles() {
  std::array<MeshStyle, treeMeshCount> styles{};
  for (int i = 0; i < treeMeshCount; ++i) {
    const bool bark = MeshNumber::ofIndex(i).value % 2 == 1;
    styles[i] = MeshStyle{bark ? barkUvScale : leafUvScale, noChanges};
  }
  return styles;
}

}  // namespace modelstyle

inline constexpr std::array<MeshStyle, 13> stageStyles = {{
    {modelstyle::columnUvScale, modelstyle::column},
    {modelstyle::untextured, modelstyle::dome(GlSwitch::enable, GlSwitch::untouched)},
    {modelstyle::untextured, modelstyle::dome(GlSwitch::untouched, GlSwitch::untouched)},
    {modelstyle::untextured, modelstyle::dome(GlSwitch::untouched, GlSwitch::untouched)},
    {modelstyle::untextured, modelstyle::dome(GlSwitch::untouched, GlSwitch::disable)},
    {modelstyle::walkwayUvScale, modelstyle::ownTexturing},
    {modelstyle::walkwayUvScale, modelstyle::ownTexturing},
    {modelstyle::walkwayUvScale, modelstyle::ownTexturing},
    {modelstyle::walkwayUvScale, modelstyle::ownTexturing},
    {modelstyle::sphereUvScale, modelstyle::ownTexturing},
    {modelstyle::sphereUvScale, modelstyle::ownTexturing},
    {modelstyle::sphereUvScale, modelstyle::ownTexturing},
    {modelstyle::sphereUvScale, modelstyle::ownTexturing},
}};

inline constexpr std::array<MeshStyle, 6> poolStyles = {{
    {modelstyle::basinUvScale, modelstyle::ownTexturing},
    {modelstyle::basinUvScale, modelstyle::ownTexturing},
    {modelstyle::untextured, modelstyle::rim},
    {modelstyle::untextured, modelstyle::rim},
    {modelstyle::untextured, modelstyle::rim},
    {modelstyle::untextured, modelstyle::rim},
}};

inline constexpr std::array<MeshStyle, 1> markerStyles = {{
    {modelstyle::untextured, modelstyle::markerScatter},
}};

inline constexpr std::array<MeshStyle, 2> earthStyles = {{
    {modelstyle::landUvScale, modelstyle::noChanges},
    {modelstyle::oceanUvScale, modelstyle::noChanges},
}};

inline constexpr std::array<MeshStyle, 1> fireballStyles = {{
    {modelstyle::untextured, modelstyle::fireballCorners},
}};

inline constexpr std::array<MeshStyle, 10> birdStyles =
    modelstyle::uniform<10>({modelstyle::birdUvScale, modelstyle::noChanges});

inline constexpr std::array<MeshStyle, 12> introStyles =
    modelstyle::uniform<12>({modelstyle::letterUvScale, modelstyle::noChanges});

inline constexpr std::array<MeshStyle, modelstyle::treeMeshCount> treeStyles =
    modelstyle::treeStyles();
