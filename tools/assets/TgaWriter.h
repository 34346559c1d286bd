#pragma once

#include <string>

#include "Image.h"

// Writes a run-length encoded true-colour TGA (type 10), bottom-up rows, no image id, no
// footer. With `withAlpha` 32 bits per pixel (8 alpha bits), otherwise 24. False on I/O error.
bool writeTga(const std::string& path, const Image& image, bool withAlpha);
