#include "scenes/intro/intro.h"

#include <GL/gl.h>

#include "assets/models.h"
#include "platform/clock.h"

namespace {

// Depth every piece starts at and the depth it stops at.
constexpr float startDepth = -50.0f;
constexpr float stopDepth = 8.0f;
// Depth a piece gains a frame.
constexpr float flyStep = 1.0f;
// Once a piece has passed this depth, the next one leaves.
constexpr float releaseDepth = -30.0f;
// How long the finished lettering holds still before the stage shows.
constexpr uint32_t holdMilliseconds = 1500;
// Where the lettering sits and how large it is drawn.
constexpr float letteringX = -4.5f;
constexpr float letteringScale = 0.03f;

// A piece's fixed row height and its two letter meshes, in drawing order.
struct PieceLetters {
  float rowHeight;
  int firstMesh;
  int secondMesh;
};
constexpr PieceLetters pieceLetters[introPieceCount] = {
    {1.0f, 1, 3}, {1.0f, 2, 4}, {2.0f, 5, 6}, {2.0f, 8, 9}, {2.0f, 10, 12}, {2.0f, 11, 7},
};

// Moves a released piece one step towards the viewer, up to the stop depth.
void advance(IntroPiece& piece) {
  if (piece.moving && piece.z < stopDepth) piece.z += flyStep;
}

}  // namespace

IntroPiece introPieces[introPieceCount] = {
    {startDepth, 1}, {startDepth, 0}, {startDepth, 0},
    {startDepth, 0}, {startDepth, 0}, {startDepth, 0},
};

Intro intro;

// Each released piece at its depth, its two letters in table order.
void Intro::drawIntro() {
  for (int p = 0; p < introPieceCount; ++p) {
    if (!introPieces[p].moving) continue;
    const PieceLetters& letters = pieceLetters[p];
    glPushMatrix();
    glTranslatef(letteringX, letters.rowHeight, introPieces[p].z);
    glScalef(letteringScale, letteringScale, letteringScale);
    drawMesh(introModel.mesh(letters.firstMesh));
    drawMesh(introModel.mesh(letters.secondMesh));
    glPopMatrix();
  }
}

// Pieces advance in order, each releasing the next once it is past the
// release depth (the next then moves in the same update). When the last
// piece arrives the lettering holds still and the intro ends.
int Intro::updateIntro() {
  for (int p = 0; p < introPieceCount; ++p) {
    IntroPiece& piece = introPieces[p];
    advance(piece);
    const bool last = p == introPieceCount - 1;
    if (!last && piece.z > releaseDepth) introPieces[p + 1].moving = 1;
  }
  if (introPieces[introPieceCount - 1].z == stopDepth) {
    sleepMilliseconds(holdMilliseconds);
    return 0;
  }
  return 1;
}
