#include "tests/meshes/gl_call_log.h"

#include <utility>

extern "C" {
void __real_glBegin(GLenum mode);
void __real_glEnd();
void __real_glEnable(GLenum capability);
void __real_glDisable(GLenum capability);
void __real_glColor3f(GLfloat r, GLfloat g, GLfloat b);
void __real_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void __real_glColor3fv(const GLfloat* rgb);
void __real_glTexCoord2d(GLdouble s, GLdouble t);
void __real_glVertex3dv(const GLdouble* xyz);
}

namespace {

bool recording = false;
std::vector<GlCallRecord> records;

void record(GlCall call, GLenum value, double a, double b, double c, double d,
            const GLdouble* vertex = nullptr) {
  if (!recording) return;
  GlCallRecord r;
  r.call = call;
  r.value = value;
  r.args[0] = a;
  r.args[1] = b;
  r.args[2] = c;
  r.args[3] = d;
  r.vertex = vertex;
  records.push_back(r);
}

}  // namespace

extern "C" {

void __wrap_glBegin(GLenum mode) {
  record(GlCall::begin, mode, 0, 0, 0, 0);
  __real_glBegin(mode);
}

void __wrap_glEnd() {
  record(GlCall::end, 0, 0, 0, 0, 0);
  __real_glEnd();
}

void __wrap_glEnable(GLenum capability) {
  record(GlCall::enable, capability, 0, 0, 0, 0);
  __real_glEnable(capability);
}

void __wrap_glDisable(GLenum capability) {
  record(GlCall::disable, capability, 0, 0, 0, 0);
  __real_glDisable(capability);
}

void __wrap_glColor3f(GLfloat r, GLfloat g, GLfloat b) {
  record(GlCall::color3f, 0, r, g, b, 0);
  __real_glColor3f(r, g, b);
}

void __wrap_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  record(GlCall::color4f, 0, r, g, b, a);
  __real_glColor4f(r, g, b, a);
}

void __wrap_glColor3fv(const GLfloat* rgb) {
  record(GlCall::color3fv, 0, rgb[0], rgb[1], rgb[2], 0);
  __real_glColor3fv(rgb);
}

void __wrap_glTexCoord2d(GLdouble s, GLdouble t) {
  record(GlCall::texCoord2d, 0, s, t, 0, 0);
  __real_glTexCoord2d(s, t);
}

void __wrap_glVertex3dv(const GLdouble* xyz) {
  record(GlCall::vertex3dv, 0, xyz[0], xyz[1], xyz[2], 0, xyz);
  __real_glVertex3dv(xyz);
}

}  // extern "C"

void startRecording() {
  records.clear();
  recording = true;
}

std::vector<GlCallRecord> stopRecording() {
  recording = false;
  return std::exchange(records, {});
}

std::string describeSwitch(const GlCallRecord& record) {
  const char* verb = record.call == GlCall::enable ? "enable " : "disable ";
  switch (record.value) {
    case GL_TEXTURE_2D: return std::string(verb) + "texture";
    case GL_BLEND: return std::string(verb) + "blend";
    default: return std::string(verb) + std::to_string(record.value);
  }
}
