// Texture loading: BMP and RAW files from the textures folder become
// mipmapped GL textures whose names live in these globals for the whole run.
#pragma once
#include <GL/gl.h>

extern GLuint stoneTexture;
extern GLuint grassTexture;
extern GLuint barkTexture;
extern GLuint leafTexture;
extern GLuint starfieldTexture;
extern GLuint oceanTexture;
extern GLuint marble2Texture;
extern GLuint marble4Texture;
extern GLuint floorTexture;
extern GLuint metal3Texture;
extern GLuint metal1Texture;

// Reads a 24-bit BMP into a new mipmapped texture, left bound; ends the
// program with status 1 when the file cannot be used.
GLuint loadBitmapTexture(const char* path);

// Reads a headerless RGB file into a new mipmapped texture, left bound (width
// and height -1: square, from the file length); 0 when the file is missing,
// empty or too short.
GLuint loadRawTexture(const char* path, int width, int height, unsigned int repeat);

// Loads the eleven texture files in their fixed order into the globals.
void loadProgramTextures();

// Deletes the eight textures released at quit.
void deleteProgramTextures();
