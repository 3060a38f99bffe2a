#include "assets/textures.h"

GLuint stoneTexture = 0;
GLuint grassTexture = 0;
GLuint barkTexture = 0;
GLuint leafTexture = 0;
GLuint starfieldTexture = 0;
GLuint oceanTexture = 0;
GLuint marble2Texture = 0;
GLuint marble4Texture = 0;
GLuint floorTexture = 0;
GLuint metal3Texture = 0;
GLuint metal1Texture = 0;

GLuint loadBitmapTexture(const char*) { return 0; }

GLuint loadRawTexture(const char*, int, int, unsigned int) { return 0; }

void loadProgramTextures() {}

void deleteProgramTextures() {}
