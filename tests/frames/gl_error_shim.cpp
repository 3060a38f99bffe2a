// Preloaded into kesh-frames by frame_identity_test: plants two GL errors that
// change no pixel, after the real call (whose own error GL reports first): a
// bad mode after the first glHint, a negative count after the first points draw.
#include <GL/gl.h>
#include <dlfcn.h>

// GL's own definition of name, the next after this library.
template <typename Function>
static Function realFunction(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

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
