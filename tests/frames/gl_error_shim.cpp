// Preloaded into kesh-frames by frame_identity_test to plant two GL errors
// without changing a pixel, so the test sees them caught and named: after
// the first glHint (start-up's perspective hint) a hint mode that does not
// exist, and after the first draw of points (the fire's burst) a negative
// count. A call that fails this way has no other effect; each comes after
// the real call, so an error of the real call is the one GL reports.
#include <GL/gl.h>
#include <dlfcn.h>

namespace {

// The next definition of name after this library: GL's own.
template <typename Function>
Function realFunction(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" void glHint(GLenum target, GLenum mode) {
  static const auto real = realFunction<void (*)(GLenum, GLenum)>("glHint");
  static bool planted = false;
  real(target, mode);
  if (!planted) real(target, 0);  // GL_INVALID_ENUM
  planted = true;
}

extern "C" void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  static const auto real = realFunction<void (*)(GLenum, GLint, GLsizei)>("glDrawArrays");
  static bool planted = false;
  real(mode, first, count);
  if (mode != GL_POINTS || planted) return;
  real(mode, first, -1);  // GL_INVALID_VALUE
  planted = true;
}
