#include "tools/frames/model_sheet.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "app/window.h"
#include "assets/models.h"
#include "assets/textures.h"
#include "scenes/wind/wind_scene.h"
#include "tools/common/framebuffer.h"
#include "tools/common/tool_window.h"

namespace {

constexpr int viewSize = 512;  // each of the two views is square
constexpr int sheetWidth = 2 * viewSize;
constexpr int sheetHeight = viewSize;
constexpr double fieldOfView = 35.0;
constexpr double depthRoom = 1.5;  // near and far planes this many radii from the centre
constexpr double viewFill = 0.92;   // the outermost vertex this far out to the edge
constexpr double closestApproach = 1.2;  // camera never nearer than this many radii
constexpr int fitSteps = 4;
constexpr float edgeColour[4] = {0.05f, 0.05f, 0.07f, 1.0f};
constexpr double radiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr float background[3] = {0.10f, 0.11f, 0.14f};
constexpr const char* textureFolder = "textures";

// Stage mesh numbers and the lift of the third dome in the program's stage list.
constexpr int stageColumn = 1;
constexpr int firstDome = 2;
constexpr int raisedDome = 4;
constexpr int lastDome = 5;
constexpr int firstWalkway = 6;
constexpr int lastWalkway = 9;
constexpr int firstSphere = 10;
constexpr int lastSphere = 13;
constexpr float raisedDomeLift = 3.0f;

struct Angle {
  double azimuth;    // degrees about the up axis
  double elevation;  // degrees above the ground plane
};

enum class Up { z, y };

struct ModelSheet {
  const MeshModel* model;
  Up up;
  Angle angles[2];
  void (*draw)();
};

// Compiles content into a display list the first time, then calls the list.
void callList(GLuint& list, void (*content)()) {
  if (list == 0) {
    list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    content();
    glEndList();
  }
  glCallList(list);
}

void drawMeshes(const MeshModel& model, int first, int last, int step = 1) {
  for (int n = first; n <= last; n += step) drawMesh(model.mesh(n));
}

// The stage list's content: the dome run, the third dome lifted, then the column.
void drawDomesAndColumn() {
  drawMesh(stageModel.mesh(firstDome));
  drawMesh(stageModel.mesh(firstDome + 1));
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, raisedDomeLift);
  drawMesh(stageModel.mesh(raisedDome));
  glPopMatrix();
  drawMesh(stageModel.mesh(lastDome));
  drawMesh(stageModel.mesh(stageColumn));
}

void drawWalkwayMeshes() { drawMeshes(stageModel, firstWalkway, lastWalkway); }

// The stage as drawStage composes it, without its scale and with the
// spheres at rest: metal3 on the column and spheres, metal1 on the walkways.
void drawStageSheet() {
  static GLuint stageList = 0, walkwayList = 0;
  glBindTexture(GL_TEXTURE_2D, metal3Texture);
  glDisable(GL_TEXTURE_2D);
  callList(stageList, drawDomesAndColumn);
  drawMeshes(stageModel, firstSphere, lastSphere);
  glBindTexture(GL_TEXTURE_2D, metal1Texture);
  callList(walkwayList, drawWalkwayMeshes);
}

void drawPoolModel() { poolModel.drawAll(); }
void drawMarkerModel() { markerModel.drawAll(); }
void drawBirdModel() { birdModel.drawAll(); }
void drawLandModel() { earthModel.drawLand(); }
void drawOceanModel() { earthModel.drawOcean(); }
void drawTreeLeaves() { drawMeshes(treeModel, 2, treeModel.meshCount, 2); }
void drawTreeBark() { drawMeshes(treeModel, 1, treeModel.meshCount, 2); }

void drawPoolSheet() {
  static GLuint list = 0;
  glBindTexture(GL_TEXTURE_2D, marble2Texture);
  callList(list, drawPoolModel);
}

// The marker untextured in plain white (the stage tints it per scene).
void drawMarkerSheet() {
  static GLuint list = 0;
  callList(list, drawMarkerModel);
}

void drawBirdSheet() {
  static GLuint list = 0;
  glBindTexture(GL_TEXTURE_2D, marble4Texture);
  glEnable(GL_TEXTURE_2D);
  callList(list, drawBirdModel);
  glDisable(GL_TEXTURE_2D);
}

void drawEarthSheet() {
  static GLuint land = 0, ocean = 0;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, oceanTexture);
  callList(ocean, drawOceanModel);
  glBindTexture(GL_TEXTURE_2D, grassTexture);
  callList(land, drawLandModel);
  glDisable(GL_TEXTURE_2D);
}

// The fireball in its start colours, drawn anew as the fire scene does.
void drawFireballSheet() { fireballModel.drawAll(); }

void drawTreeSheet() {
  static GLuint leaves = 0, bark = 0;
  glColor3f(treeGrey, treeGrey, treeGrey);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, leafTexture);
  callList(leaves, drawTreeLeaves);
  glBindTexture(GL_TEXTURE_2D, barkTexture);
  callList(bark, drawTreeBark);
  glDisable(GL_TEXTURE_2D);
}

// The lettering as the intro draws it, anew each frame.
void drawIntroSheet() {
  glBindTexture(GL_TEXTURE_2D, stoneTexture);
  glEnable(GL_TEXTURE_2D);
  introModel.drawAll();
  glDisable(GL_TEXTURE_2D);
}

const ModelSheet sheets[] = {
    {&stageModel, Up::z, {{35.0, 30.0}, {200.0, 65.0}}, drawStageSheet},
    {&poolModel, Up::z, {{35.0, 35.0}, {215.0, 65.0}}, drawPoolSheet},
    {&markerModel, Up::z, {{35.0, 20.0}, {150.0, -50.0}}, drawMarkerSheet},
    {&earthModel, Up::z, {{35.0, 30.0}, {215.0, 60.0}}, drawEarthSheet},
    {&fireballModel, Up::z, {{35.0, 20.0}, {150.0, -50.0}}, drawFireballSheet},
    {&birdModel, Up::z, {{35.0, 15.0}, {215.0, 40.0}}, drawBirdSheet},
    {&introModel, Up::y, {{0.0, 0.0}, {-35.0, 30.0}}, drawIntroSheet},
    {&treeModel, Up::z, {{35.0, 10.0}, {215.0, 45.0}}, drawTreeSheet},
};

struct Bounds {
  double lo[3], hi[3];
  double centre[3];
  double radius;  // of the sphere about the box
};

// The box of every vertex of the model, and the sphere about it.
Bounds modelBounds(const MeshModel& model) {
  Bounds b;
  std::fill(b.lo, b.lo + 3, std::numeric_limits<double>::infinity());
  std::fill(b.hi, b.hi + 3, -std::numeric_limits<double>::infinity());
  for (int n = 1; n <= model.meshCount; ++n) {
    const Mesh& mesh = model.mesh(n);
    for (int i = 0; i < 3 * mesh.vertexCount; ++i) {
      b.lo[i % 3] = std::min(b.lo[i % 3], mesh.vertices[i]);
      b.hi[i % 3] = std::max(b.hi[i % 3], mesh.vertices[i]);
    }
  }
  b.radius = 0.0;
  for (int a = 0; a < 3; ++a) {
    b.centre[a] = (b.lo[a] + b.hi[a]) / 2;
    b.radius += (b.hi[a] - b.lo[a]) * (b.hi[a] - b.lo[a]) / 4;
  }
  b.radius = std::sqrt(b.radius);
  return b;
}

// A perspective camera at the given distance from the box's centre, looking
// at it from the given angle.
void placeCamera(const Bounds& bounds, Up up, const Angle& angle, int viewX, double distance) {
  glViewport(viewX, 0, viewSize, viewSize);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fieldOfView, 1.0, std::max(distance - depthRoom * bounds.radius, distance / 100),
                 distance + depthRoom * bounds.radius);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const double az = angle.azimuth * radiansPerDegree, el = angle.elevation * radiansPerDegree;
  const double across = distance * std::cos(el) * std::sin(az);
  const double along = distance * std::cos(el) * std::cos(az);
  const double rise = distance * std::sin(el);
  const double* c = bounds.centre;
  if (up == Up::z) {
    gluLookAt(c[0] + across, c[1] - along, c[2] + rise, c[0], c[1], c[2], 0, 0, 1);
  } else {
    gluLookAt(c[0] + across, c[1] + rise, c[2] + along, c[0], c[1], c[2], 0, 1, 0);
  }
}

// How far the model's vertices reach from the view's centre, as a fraction
// of its half-width, with the camera as it is placed now.
double screenReach(const MeshModel& model) {
  GLdouble modelview[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  const double half = viewSize / 2.0;
  double reach = 0.0;
  for (int n = 1; n <= model.meshCount; ++n) {
    const Mesh& mesh = model.mesh(n);
    for (int i = 0; i < mesh.vertexCount; ++i) {
      const double* v = &mesh.vertices[3 * i];
      double wx, wy, wz;
      gluProject(v[0], v[1], v[2], modelview, projection, viewport, &wx, &wy, &wz);
      reach = std::max({reach, std::fabs(wx - viewport[0] - half) / half,
                        std::fabs(wy - viewport[1] - half) / half});
    }
  }
  return reach;
}

// Places the camera so that the model just fills the view: starting from the
// distance that holds the sphere about its box, moves in or out until its
// outermost vertex reaches the fill fraction.
void fitCamera(const MeshModel& model, const Bounds& bounds, Up up, const Angle& angle, int viewX) {
  double distance = bounds.radius / std::sin(fieldOfView / 2 * radiansPerDegree);
  for (int step = 0; step < fitSteps; ++step) {
    placeCamera(bounds, up, angle, viewX, distance);
    distance = std::max(distance * screenReach(model) / viewFill, bounds.radius * closestApproach);
  }
  placeCamera(bounds, up, angle, viewX, distance);
}

// Dark edges over every triangle, whatever colours the meshes send: shows
// the shape of textured meshes while there are no textures to show it.
void drawEdges(void (*draw)()) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  const float none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, edgeColour);
  glEnable(GL_LIGHTING);  // no light is on: every line takes the emission
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glEnable(GL_POLYGON_OFFSET_LINE);
  glPolygonOffset(-1.0f, -1.0f);
  draw();
  glPopAttrib();
}

// The program's fixed drawing state (depth test, additive blend function, white).
void setProgramState() {
  glClearColor(background[0], background[1], background[2], 1.0f);
  glClearDepth(1.0);
  glDepthFunc(GL_LESS);
  glEnable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

bool texturesPresent() {
  struct stat folder;
  return stat(textureFolder, &folder) == 0 && S_ISDIR(folder.st_mode);
}

}  // namespace

int writeModelSheets(const std::string& outDir) {
  if (!openToolWindow("kesh-frames models", windowWidth, windowHeight)) return 1;
  setProgramState();
  const bool textured = texturesPresent();
  if (textured) {
    loadProgramTextures();
  } else {
    std::printf("kesh-frames: no %s folder here, so the models are drawn untextured\n",
                textureFolder);
  }

  int written = 0, failed = 0;
  for (const ModelSheet& sheet : sheets) {
    const MeshModel& model = *sheet.model;
    const Bounds bounds = modelBounds(model);
    glViewport(0, 0, windowWidth, windowHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int view = 0; view < 2; ++view) {
      fitCamera(model, bounds, sheet.up, sheet.angles[view], view * viewSize);
      glColor3f(1.0f, 1.0f, 1.0f);
      sheet.draw();
      if (!textured) drawEdges(sheet.draw);
    }
    const std::string path = outDir + "/model-" + model.name + ".png";
    if (writePng(path, readBackBuffer(sheetWidth, sheetHeight))) {
      ++written;
    } else {
      ++failed;
    }
  }
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
    std::fprintf(stderr, "kesh-frames: GL error 0x%x while drawing the models\n", error);
    ++failed;
  }
  std::printf("kesh-frames: wrote %d model sheets to %s\n", written, outDir.c_str());
  return failed == 0 ? 0 : 1;
}
