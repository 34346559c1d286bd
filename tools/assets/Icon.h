#pragma once

#include "Image.h"

// The desktop icon: the lit planet with the blue fighter on top and a red enemy beside it,
// on a transparent background.
Image renderIcon(int size);
