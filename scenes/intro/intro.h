// The intro: the lettering of the program's name flies in pair by pair.
#pragma once

// Pieces of two letters each that fly in one after another.
constexpr int introPieceCount = 6;
// Depth every piece starts at, and the depth it stops at.
constexpr float introStartDepth = -50.0f;
constexpr float introStopDepth = 8.0f;

// One piece's changing state.
struct IntroPiece {
  float z = introStartDepth;  // depth of the piece's translation
  int moving = 0;             // released: drawn and advancing
};

// The intro's record: the pieces in release order (0 first). They start deep
// and only piece 0 moves.
struct IntroState {
  IntroPiece introPieces[introPieceCount] = {{introStartDepth, 1}};
};

extern IntroState introState;

// One global object; its state is the record introState.
class Intro {
 public:
  void drawIntro();  // the released pieces
  int updateIntro(); // one step; 1 while the intro runs, 0 when it has ended
};

extern Intro intro;
