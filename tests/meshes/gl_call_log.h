// A log of the GL calls that mesh drawing makes. The meshes GL test links with
// the linker's --wrap for each call below, so every call from the program's
// code passes through here on its way to the real GL, and is recorded while a
// recording is open.
#pragma once
#include <GL/gl.h>

#include <string>
#include <vector>

enum class GlCall {
  begin, end, enable, disable, color3f, color4f, color3fv, texCoord2d, vertex3dv,
};

struct GlCallRecord {
  GlCall call;
  GLenum value = 0;           // glBegin's mode, glEnable's or glDisable's capability
  double args[4] = {0, 0, 0, 0};  // colour components or texture coordinates
  const GLdouble* vertex = nullptr;  // glVertex3dv's pointer
};

// Starts recording (dropping an earlier recording); stopRecording ends it.
void startRecording();
std::vector<GlCallRecord> stopRecording();

// Records the calls made by draw.
template <typename Draw>
std::vector<GlCallRecord> recordCalls(const Draw& draw) {
  startRecording();
  draw();
  return stopRecording();
}

// "enable GL_TEXTURE_2D" style names for the enable calls.
std::string describeSwitch(const GlCallRecord& record);
