// Texture loading: the BMP and RAW files the texture manifest lists become
// mipmapped GL textures whose names live in programTextures for the whole run
// (stoneTexture, grassTexture, ...: one named reference per manifest row).
#pragma once
#include <GL/gl.h>

#include "texture_tables/texture_names.h"

// Reads a 24-bit BMP into a new mipmapped texture, left bound; ends the
// program with status 1 when the file cannot be used.
GLuint loadBitmapTexture(const char* path);

// Reads a headerless RGB file into a new mipmapped texture, left bound (width
// and height -1: square, from the file length); 0 when the file is missing,
// empty or too short.
GLuint loadRawTexture(const char* path, int width, int height, unsigned int repeat);

// Loads every texture file of the manifest, in its order, from the textures
// folder of the working directory into programTextures.
void loadProgramTextures();

// Deletes the textures the manifest marks released at quit.
void deleteProgramTextures();
