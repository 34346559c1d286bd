#pragma once

#include <string>

#include "Image.h"

// Writes an 8-bit RGBA PNG. The deflate stream uses stored blocks only, so the bytes do not
// depend on a compression library's version. False on I/O error.
bool writePng(const std::string& path, const Image& image);
