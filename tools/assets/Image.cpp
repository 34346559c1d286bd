#include "Image.h"

#include <algorithm>
#include <cmath>

void Image::set(int x, int y, const glm::vec4& colour) {
    uint8_t* p = at(x, y);
    for (int i = 0; i < 4; ++i) {
        p[i] = uint8_t(std::lround(std::clamp(colour[i], 0.0f, 1.0f) * 255.0f));
    }
}
