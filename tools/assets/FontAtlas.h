#pragma once

#include <string>

#include "Image.h"

// The HUD's font atlas: 16 x 16 cells of size / 16 pixels; character code c (32..126) in
// column c % 16 and row c / 16 - 2 from the top. Each glyph is drawn into the left three
// quarters of its cell, centred, with a margin so that mipmaps keep cells apart. RGB is white
// everywhere; alpha is the glyph's coverage. False (with a reason) if the font cannot be read.
bool renderFontAtlas(const std::string& fontPath, int size, Image& atlas, std::string* problem);
