// One compiled-in mesh: its constant tables, how its texture coordinates are
// scaled, the fixed GL state changes it makes, and the one routine that draws
// it. The tables are generated from the OBJ model data when the program is
// built; everything here is constant-initialised, nothing is copied.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// Entries per triangle in an index list: three corners and the -1 separator.
constexpr std::int32_t indicesPerTriangle = 4;
// The separator after each triangle's three indices.
constexpr std::int32_t triangleSeparator = -1;

// A change a mesh makes to one GL enable before or after its triangles.
enum class GlSwitch : std::uint8_t { untouched, enable, disable };

// How a mesh colours its triangles as a whole.
enum class TriangleColour : std::uint8_t {
  none,
  rgba,  // glColor4f once per triangle
  rgb,   // glColor3f once per triangle
};

// Which triangles a mesh draws.
enum class FaceFilter : std::uint8_t {
  none,
  marker,  // only triangles whose 0-based index is a multiple of 12 or of 10
};

// The fixed GL state changes of one mesh. A default state changes nothing;
// the builders below each return a copy with one kind of change, so a state
// reads as its changes: MeshDrawState{}.texturing(enable, disable).
struct MeshDrawState {
  GlSwitch textureBefore = GlSwitch::untouched;  // GL_TEXTURE_2D
  GlSwitch blendBefore = GlSwitch::untouched;    // GL_BLEND
  TriangleColour triangleColourKind = TriangleColour::none;
  float triangleColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  // Colours of the first, second and third corner of every triangle, sent
  // with glColor3fv; null for none. Points at program-wide mutable colours.
  const float (*cornerColours)[3] = nullptr;
  FaceFilter faceFilter = FaceFilter::none;
  GlSwitch textureAfter = GlSwitch::untouched;
  GlSwitch blendAfter = GlSwitch::untouched;

  // GL_TEXTURE_2D switched before and after the triangles.
  constexpr MeshDrawState texturing(GlSwitch before, GlSwitch after) const {
    MeshDrawState s = *this;
    s.textureBefore = before;
    s.textureAfter = after;
    return s;
  }
  // GL_BLEND switched before and after the triangles.
  constexpr MeshDrawState blending(GlSwitch before, GlSwitch after) const {
    MeshDrawState s = *this;
    s.blendBefore = before;
    s.blendAfter = after;
    return s;
  }
  // One glColor4f for every triangle.
  constexpr MeshDrawState colouredRgba(const float (&rgba)[4]) const {
    MeshDrawState s = *this;
    s.triangleColourKind = TriangleColour::rgba;
    for (int i = 0; i < 4; ++i) s.triangleColour[i] = rgba[i];
    return s;
  }
  // One glColor3f for every triangle.
  constexpr MeshDrawState colouredRgb(const float (&rgb)[3]) const {
    MeshDrawState s = *this;
    s.triangleColourKind = TriangleColour::rgb;
    for (int i = 0; i < 3; ++i) s.triangleColour[i] = rgb[i];
    return s;
  }
  // Each corner of every triangle in its own of three colours.
  constexpr MeshDrawState cornerColoured(const float (*colours)[3]) const {
    MeshDrawState s = *this;
    s.cornerColours = colours;
    return s;
  }
  // Only the triangles the filter lets through.
  constexpr MeshDrawState filtered(FaceFilter filter) const {
    MeshDrawState s = *this;
    s.faceFilter = filter;
    return s;
  }
};

// The data part of a mesh, as the build's converter generates it. Index lists
// hold indicesPerTriangle entries per triangle, the last one the separator.
struct MeshTables {
  const double* vertices;            // x, y, z per vertex
  std::int32_t vertexCount;
  const std::int32_t* triangles;     // 0-based vertex indices
  std::int32_t indexCount;           // indicesPerTriangle x triangle count
  const double* uvs;                 // u, v per entry; null when untextured
  std::int32_t uvCount;
  const std::int32_t* uvTriangles;   // 0-based UV indices; null when untextured
};

// How a mesh is drawn: the hand-written part of its descriptor.
struct MeshStyle {
  double uvScale;  // factor on u and v; 0 for an untextured mesh
  MeshDrawState drawState;
};

// One constant mesh descriptor.
struct Mesh {
  const double* vertices;
  std::int32_t vertexCount;
  const std::int32_t* triangles;
  std::int32_t indexCount;
  const double* uvs;
  std::int32_t uvCount;
  const std::int32_t* uvTriangles;
  double uvScale;
  MeshDrawState drawState;

  std::int32_t triangleCount() const { return indexCount / indicesPerTriangle; }
  bool textured() const { return uvs != nullptr; }
};

// Draws one mesh: its before-enables, one glBegin/glEnd pair per drawn
// triangle, its after-enables. Binds no texture and touches no matrix.
void drawMesh(const Mesh& mesh);

// Joins generated tables with hand-written styles into descriptors, at
// compile time. A style list of another length, or a style that disagrees
// with its tables about being textured, makes the call fail to compile.
template <std::size_t count, std::size_t styleCount>
constexpr std::array<Mesh, count> describeMeshes(const std::array<MeshTables, count>& tables,
                                                 const std::array<MeshStyle, styleCount>& styles) {
  if (count != styleCount) throw "a model has another number of meshes than styles";
  std::array<Mesh, count> meshes{};
  for (std::size_t i = 0; i < count; ++i) {
    const MeshTables& t = tables[i];
    const MeshStyle& s = styles[i];
    if ((t.uvs != nullptr) != (s.uvScale != 0.0)) {
      throw "a mesh's style and tables disagree about texturing";
    }
    meshes[i] = Mesh{t.vertices, t.vertexCount, t.triangles, t.indexCount, t.uvs,
                     t.uvCount,  t.uvTriangles, s.uvScale,   s.drawState};
  }
  return meshes;
}
