// A copy of the frame's opening (the cleared window with the starfield drawn
// over it, colour and depth), kept while the camera and the window stand
// still, so that a frame can start from it instead of drawing the full-window
// quad again. The copy is byte for byte what clearing and drawing would give.
// It needs framebuffer objects (GL 3.0 or GL_ARB_framebuffer_object); without
// them every frame draws its opening as before.
#pragma once
#include <GL/gl.h>

// What the opening depends on: the camera and the window's size.
struct BackdropKey {
  float cameraZoom = 0.0f;
  float cameraHeight = 0.0f;
  int width = 0;
  int height = 0;
};
bool operator==(const BackdropKey& a, const BackdropKey& b);

struct BackdropCache {
  int enabled = 1;     // the frame may use the cache (the benchmark turns it off to compare)
  int checked = 0;     // support has been looked for
  int supported = 0;   // the GL has framebuffer objects and the copy came out exact
  int valid = 0;       // held holds the opening for key
  BackdropKey key;     // the opening the copy holds
  BackdropKey seen;    // the key of the last opening drawn in full
  GLuint framebuffer = 0;
  GLuint colour = 0;   // a texture in the window's own colour layout
  GLuint depth = 0;    // a renderbuffer in the window's depth format
  int width = 0;       // the size the attachments were made for
  int height = 0;
};
extern BackdropCache backdropCache;

// The key for the camera as it stands and the current viewport.
BackdropKey currentBackdropKey();

// Puts the kept opening for key into the window's back buffer, colour and
// depth; false when there is none (the caller then draws the opening).
bool restoreBackdrop(const BackdropKey& key);

// Called after the opening for key has been drawn in full: keeps a copy of it
// once the same key has been drawn on two frames running (a camera at rest).
void keepBackdrop(const BackdropKey& key);

// Frees the copy (the next frames draw their opening in full again).
void dropBackdrop();
