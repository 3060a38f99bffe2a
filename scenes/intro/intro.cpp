#include "scenes/intro/intro.h"

#include <GL/gl.h>

#include "assets/models.h"
#include "platform/clock.h"

namespace {

// Depth a piece gains a frame.
constexpr float flyStep = 1.0f;
// Once a piece has passed this depth, the next one leaves.
constexpr float releaseDepth = -30.0f;
// How long the finished lettering holds still before the stage shows.
constexpr uint32_t holdMilliseconds = 1500;
// Where the lettering sits and how large it is drawn.
constexpr float letteringX = -4.5f;
constexpr float letteringScale = 0.03f;

// A piece's fixed row height and the mesh numbers (counted from 1) of its two
// letters, in drawing order.
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
  if (piece.moving && piece.z < introStopDepth) piece.z += flyStep;
}

}  // namespace

IntroState introState;

Intro intro;

// Each released piece at its depth, its two letters in table order.
void Intro::drawIntro() {
  for (int p = 0; p < introPieceCount; ++p) {
    const IntroPiece& piece = introState.introPieces[p];
    if (!piece.moving) continue;
    const PieceLetters& letters = pieceLetters[p];
    glPushMatrix();
    glTranslatef(letteringX, letters.rowHeight, piece.z);
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
  IntroPiece* pieces = introState.introPieces;
  for (int p = 0; p < introPieceCount; ++p) {
    IntroPiece& piece = pieces[p];
    advance(piece);
    const bool last = p == introPieceCount - 1;
    if (!last && piece.z > releaseDepth) pieces[p + 1].moving = 1;
  }
  if (pieces[introPieceCount - 1].z == introStopDepth) {
    sleepMilliseconds(holdMilliseconds);
    return 0;
  }
  return 1;
}
