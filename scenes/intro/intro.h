// The intro: the lettering of the program's name flies in pair by pair.
#pragma once

class Intro {
 public:
  void drawIntro();  // the released pieces
  int updateIntro(); // one step; 1 while the intro runs, 0 when it has ended
};

extern Intro intro;
