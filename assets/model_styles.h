// How every mesh of the eight models is drawn: its UV scale and its fixed GL
// state changes, one entry per mesh in catalogue order. The geometry comes
// from the generated tables, and with it the number of meshes of a model
// whose meshes all look alike; models.cpp joins the two into the descriptors.
#pragma once
#include <array>

#include "assets/mesh.h"
#include "assets/mesh_number.h"
#include "mesh_tables/bird_tables.h"
#include "mesh_tables/intro_tables.h"
#include "mesh_tables/tree_tables.h"

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

// The style of each kind of mesh.
constexpr MeshStyle columnStyle{columnUvScale, column};
constexpr MeshStyle firstDomeStyle{untextured, dome(GlSwitch::enable, GlSwitch::untouched)};
constexpr MeshStyle domeStyle{untextured, dome(GlSwitch::untouched, GlSwitch::untouched)};
constexpr MeshStyle lastDomeStyle{untextured, dome(GlSwitch::untouched, GlSwitch::disable)};
constexpr MeshStyle walkwayStyle{walkwayUvScale, ownTexturing};
constexpr MeshStyle sphereStyle{sphereUvScale, ownTexturing};
constexpr MeshStyle basinStyle{basinUvScale, ownTexturing};
constexpr MeshStyle rimStyle{untextured, rim};
constexpr MeshStyle markerStyle{untextured, markerScatter};
constexpr MeshStyle landStyle{landUvScale, noChanges};
constexpr MeshStyle oceanStyle{oceanUvScale, noChanges};
constexpr MeshStyle fireballStyle{untextured, fireballCorners};
constexpr MeshStyle birdStyle{birdUvScale, noChanges};
constexpr MeshStyle letterStyle{letterUvScale, noChanges};
constexpr MeshStyle barkStyle{barkUvScale, noChanges};
constexpr MeshStyle leafStyle{leafUvScale, noChanges};

// The same style for every mesh of a model.
template <std::size_t count>
constexpr std::array<MeshStyle, count> uniform(MeshStyle style) {
  std::array<MeshStyle, count> styles{};
  for (MeshStyle& s : styles) s = style;
  return styles;
}

// The tree: meshes of odd numbers are bark, those of even numbers leaves.
template <std::size_t count>
constexpr std::array<MeshStyle, count> treeStyles() {
  std::array<MeshStyle, count> styles{};
  for (std::size_t i = 0; i < count; ++i) {
    const bool bark = MeshNumber::ofIndex(static_cast<int>(i)).value % 2 == 1;
    styles[i] = bark ? barkStyle : leafStyle;
  }
  return styles;
}

}  // namespace modelstyle

// A model's styles in catalogue order. Written out, a list has as many
// entries as the model has meshes (describeMeshes refuses another length);
// a model whose meshes all look alike takes its count from its tables.
inline constexpr std::array stageStyles = {
    modelstyle::columnStyle,  modelstyle::firstDomeStyle, modelstyle::domeStyle,
    modelstyle::domeStyle,    modelstyle::lastDomeStyle,  modelstyle::walkwayStyle,
    modelstyle::walkwayStyle, modelstyle::walkwayStyle,   modelstyle::walkwayStyle,
    modelstyle::sphereStyle,  modelstyle::sphereStyle,    modelstyle::sphereStyle,
    modelstyle::sphereStyle,
};

inline constexpr std::array poolStyles = {
    modelstyle::basinStyle, modelstyle::basinStyle, modelstyle::rimStyle,
    modelstyle::rimStyle,   modelstyle::rimStyle,   modelstyle::rimStyle,
};

inline constexpr std::array markerStyles = {modelstyle::markerStyle};

inline constexpr std::array earthStyles = {modelstyle::landStyle, modelstyle::oceanStyle};

inline constexpr std::array fireballStyles = {modelstyle::fireballStyle};

inline constexpr auto birdStyles = modelstyle::uniform<birdTables.size()>(modelstyle::birdStyle);

inline constexpr auto introStyles = modelstyle::uniform<introTables.size()>(modelstyle::letterStyle);

inline constexpr auto treeStyles = modelstyle::treeStyles<treeTables.size()>();
