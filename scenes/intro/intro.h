// The intro: the lettering of the program's name flies in pair by pair.
#pragma once

// Pieces of two letters each that fly in one after another.
constexpr int introPieceCount = 6;

// One piece's changing state.
struct IntroPiece {
  float z;     // depth of the piece's translation
  int moving;  // released: drawn and advancing
};

// The pieces in release order; they start deep and only the first moves.
extern IntroPiece introPieces[introPieceCount];

// One global object; its state is introPieces.
class Intro {
 public:
  void drawIntro();  // the released pieces
  int updateIntro(); // one step; 1 while the intro runs, 0 when it has ended
};

extern Intro intro;
