// kesh-modelview: renders the meshes of an OBJ file with flat lighting from
// four directions (two three-quarter views, the front and the top) into one
// 1024 x 768 PNG. Each mesh gets its own colour.
//
//   kesh-modelview MODEL.obj OUT.png [--only NAME]... [--wire] [--azimuth DEG]
#include <GL/gl.h>
#include <GL/glu.h>
#include <tiny_obj_loader.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/window.h"
#include "tools/common/framebuffer.h"
#include "tools/common/tool_window.h"

namespace {

constexpr int viewWidth = windowWidth / 2;
constexpr int viewHeight = windowHeight / 2;
constexpr double radiansPerDegree = 3.14159265358979323846 / 180.0;

struct Options {
  std::string objPath, pngPath;
  std::vector<std::string> only;
  bool wire = false;
  double azimuth = 35.0;
};

struct View {
  double azimuth;    // degrees about z, 0 looks along +y
  double elevation;  // degrees above the x-y plane
};

const float meshColours[][3] = {{0.85f, 0.80f, 0.72f}, {0.55f, 0.70f, 0.90f},
                                {0.90f, 0.55f, 0.45f}, {0.60f, 0.85f, 0.55f},
                                {0.90f, 0.80f, 0.40f}, {0.75f, 0.60f, 0.90f},
                                {0.50f, 0.85f, 0.85f}, {0.95f, 0.65f, 0.80f}};

bool wanted(const Options& options, const std::string& name) {
  return options.only.empty() ||
         std::find(options.only.begin(), options.only.end(), name) != options.only.end();
}

void drawShapes(const tinyobj::attrib_t& attrib, const std::vector<tinyobj::shape_t>& shapes,
                const Options& options, bool colour) {
  size_t shapeIndex = 0;
  for (const tinyobj::shape_t& shape : shapes) {
    const float* c = meshColours[shapeIndex++ % (sizeof meshColours / sizeof meshColours[0])];
    if (!wanted(options, shape.name)) continue;
    if (colour) glColor3fv(c);
    glBegin(GL_TRIANGLES);
    const auto& idx = shape.mesh.indices;
    for (size_t f = 0; f + 2 < idx.size(); f += 3) {
      const double* p[3];
      for (int k = 0; k < 3; ++k) p[k] = &attrib.vertices[3 * idx[f + k].vertex_index];
      const double u[3] = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
      const double v[3] = {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
      double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                     u[0] * v[1] - u[1] * v[0]};
      const double l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      if (l > 0) {
        for (double& x : n) x /= l;
      }
      glNormal3dv(n);
      for (int k = 0; k < 3; ++k) glVertex3dv(p[k]);
    }
    glEnd();
  }
}

void setLights() {
  const float key[] = {0.4f, -0.6f, 0.8f, 0.0f}, keyColour[] = {0.85f, 0.85f, 0.85f, 1.0f};
  const float fill[] = {-0.6f, 0.5f, 0.2f, 0.0f}, fillColour[] = {0.35f, 0.35f, 0.4f, 1.0f};
  const float ambient[] = {0.18f, 0.18f, 0.18f, 1.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, key);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, keyColour);
  glLightfv(GL_LIGHT1, GL_POSITION, fill);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, fillColour);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
}

int run(const Options& options) {
  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string warning, error;
  if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error,
                        options.objPath.c_str(), nullptr, false)) {
    std::fprintf(stderr, "kesh-modelview: cannot read %s: %s\n", options.objPath.c_str(),
                 error.c_str());
    return 1;
  }
  double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
  for (const tinyobj::shape_t& shape : shapes) {
    if (!wanted(options, shape.name)) continue;
    for (const tinyobj::index_t& i : shape.mesh.indices) {
      for (int a = 0; a < 3; ++a) {
        lo[a] = std::min(lo[a], attrib.vertices[3 * i.vertex_index + a]);
        hi[a] = std::max(hi[a], attrib.vertices[3 * i.vertex_index + a]);
      }
    }
  }
  const double centre[3] = {(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2};
  const double radius =
      0.5 * std::sqrt((hi[0] - lo[0]) * (hi[0] - lo[0]) + (hi[1] - lo[1]) * (hi[1] - lo[1]) +
                      (hi[2] - lo[2]) * (hi[2] - lo[2]));

  if (!openToolWindow("kesh-modelview", windowWidth, windowHeight)) return 1;
  glClearColor(0.12f, 0.13f, 0.16f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  const View views[4] = {{options.azimuth, 25.0},
                         {options.azimuth + 180.0, 25.0},
                         {0.0, 0.0},
                         {0.0, 89.0}};
  for (int v = 0; v < 4; ++v) {
    glViewport((v % 2) * viewWidth, (1 - v / 2) * viewHeight, viewWidth, viewHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, static_cast<double>(viewWidth) / viewHeight, radius * 0.1, radius * 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const double az = views[v].azimuth * radiansPerDegree;
    const double el = views[v].elevation * radiansPerDegree;
    const double d = radius / std::sin(15.0 * radiansPerDegree) * 1.05;
    gluLookAt(centre[0] - d * std::cos(el) * std::sin(az), centre[1] - d * std::cos(el) * std::cos(az),
              centre[2] + d * std::sin(el), centre[0], centre[1], centre[2], 0, 0, 1);
    setLights();
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    drawShapes(attrib, shapes, options, true);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_LIGHTING);
    if (options.wire) {
      glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
      glColor3f(0.05f, 0.05f, 0.05f);
      drawShapes(attrib, shapes, options, false);
      glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
  }
  glFinish();
  return writePng(options.pngPath, readBackBuffer(windowWidth, windowHeight)) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--only" && i + 1 < argc) {
      options.only.push_back(argv[++i]);
    } else if (arg == "--azimuth" && i + 1 < argc) {
      options.azimuth = std::atof(argv[++i]);
    } else if (arg == "--wire") {
      options.wire = true;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) {
    std::fprintf(stderr,
                 "usage: kesh-modelview MODEL.obj OUT.png [--only NAME]... [--wire] [--azimuth DEG]\n");
    return 2;
  }
  options.objPath = positional[0];
  options.pngPath = positional[1];
  return run(options);
}
