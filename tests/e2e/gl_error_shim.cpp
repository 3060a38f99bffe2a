// Preloaded into kesh-frames by the GL-error test to break two calls on
// purpose, so the test can see that the frame tool catches GL errors and
// names where they happened: the first glHint (start-up's perspective hint)
// gets a hint mode that does not exist, and every glDrawArrays of points
// (the fire's burst) a negative count.
#include <GL/gl.h>
#include <dlfcn.h>

namespace {

constexpr GLenum noSuchHintMode = 0;
constexpr GLsizei negativeCount = -1;

// The next definition of name after this library: GL's own.
template <typename Function>
Function realFunction(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

// The first call passes a hint mode that does not exist; later ones pass through.
extern "C" void glHint(GLenum target, GLenum mode) {
  using Hint = void (*)(GLenum, GLenum);
  static const Hint real = realFunction<Hint>("glHint");
  static bool broken = false;
  real(target, broken ? mode : noSuchHintMode);
  broken = true;
}

// Every draw of points passes a negative count; other draws pass through.
extern "C" void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  using DrawArrays = void (*)(GLenum, GLint, GLsizei);
  static const DrawArrays real = realFunction<DrawArrays>("glDrawArrays");
  real(mode, first, mode == GL_POINTS ? negativeCount : count);
}
