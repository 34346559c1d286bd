#include "Textures.h"

#include <cmath>
#include <functional>
#include <glm/geometric.hpp>

#include "CharacterLayout.h"
#include "Noise.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kSeaLevel = 0.02f;

glm::vec3 mix(const glm::vec3& a, const glm::vec3& b, float t) {
    return a + (b - a) * glm::clamp(t, 0.0f, 1.0f);
}

float smoothStep(float e0, float e1, float x) {
    float t = glm::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

glm::vec3 seaColour(float height, float detail) {
    glm::vec3 deep(0.03f, 0.12f, 0.38f), shallow(0.08f, 0.42f, 0.66f);
    return mix(deep, shallow, (height + 0.45f) / 0.47f) * (0.96f + 0.04f * detail);
}

glm::vec3 landColour(float height, float moisture, float detail) {
    glm::vec3 sand(0.86f, 0.8f, 0.55f), grass(0.3f, 0.62f, 0.2f), dry(0.62f, 0.6f, 0.3f);
    glm::vec3 forest(0.12f, 0.4f, 0.14f), rock(0.47f, 0.4f, 0.33f), snow(0.95f, 0.96f, 0.98f);
    float h = height - kSeaLevel;
    glm::vec3 lowland = mix(dry, grass, moisture * 1.6f + 0.5f);
    lowland = mix(lowland, forest, smoothStep(0.15f, 0.45f, moisture + detail * 0.15f));
    glm::vec3 c = mix(sand, lowland, smoothStep(0.0f, 0.035f, h));
    c = mix(c, rock, smoothStep(0.22f, 0.34f, h + detail * 0.04f));
    c = mix(c, snow, smoothStep(0.4f, 0.46f, h + detail * 0.03f));
    return c * (0.92f + 0.08f * detail);
}

// Paints `rect` of `image` (its margin included) with painter(s, t), where s and t run from
// 0 to 1 over the inset rectangle the meshes map to, and are clamped in the margin.
void paintRect(Image& image, const UvRect& rect,
               const std::function<glm::vec3(float, float)>& painter) {
    UvRect in = layout::inset(rect);
    int x0 = int(std::lround(rect.u0 * float(image.width))),
        x1 = int(std::lround(rect.u1 * float(image.width)));
    int y0 = int(std::lround(rect.v0 * float(image.height))),
        y1 = int(std::lround(rect.v1 * float(image.height)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float u = (float(x) + 0.5f) / float(image.width),
                  v = (float(y) + 0.5f) / float(image.height);
            float s = glm::clamp((u - in.u0) / (in.u1 - in.u0), 0.0f, 1.0f);
            float t = glm::clamp((v - in.v0) / (in.v1 - in.v0), 0.0f, 1.0f);
            image.set(x, y, painter(s, t));
        }
    }
}

// The point of the unit sphere at grid coordinates (s, t), for seamless noise on a part.
glm::vec3 onSphere(float s, float t) {
    float theta = s * 2.0f * kPi, phi = (t - 0.5f) * kPi;
    return {std::cos(phi) * std::cos(theta), std::sin(phi), std::cos(phi) * std::sin(theta)};
}

// Angular distance on a part's sphere between grid point (s, t) and (s0, t0), in radians.
float angleTo(float s, float t, float s0, float t0) {
    return std::acos(glm::clamp(glm::dot(onSphere(s, t), onSphere(s0, t0)), -1.0f, 1.0f));
}

// A front-facing eye whose pupil sits at its pole (t = 1).
glm::vec3 eyeColour(float s, float t, const glm::vec3& white, const glm::vec3& iris, bool slit) {
    float r = 1.0f - t; // 0 at the pupil's centre
    float px = r * std::cos(s * 2.0f * kPi);
    if (angleTo(s, t, 0.1f, 0.86f) < 0.14f) {
        return glm::vec3(1.0f); // highlight
    }
    if (slit ? (std::fabs(px) < 0.05f && r < 0.2f) : r < 0.11f) {
        return glm::vec3(0.03f);
    }
    if (r < (slit ? 0.24f : 0.2f)) {
        return iris * (0.8f + 1.2f * r);
    }
    return white;
}

} // namespace

glm::vec3 planetColour(const glm::vec3& d) {
    float height = fractalNoise(d * 1.8f, 8, 7u) + 0.25f * valueNoise(d * 0.9f, 3u);
    float moisture = fractalNoise(d * 2.6f + glm::vec3(4.0f), 4, 11u);
    float detail = fractalNoise(d * 40.0f, 3, 23u);
    glm::vec3 c =
        height < kSeaLevel ? seaColour(height, detail) : landColour(height, moisture, detail);
    float polar = std::fabs(d.y) + 0.06f * fractalNoise(d * 6.0f, 4, 31u);
    return mix(c, glm::vec3(0.9f, 0.94f, 0.98f), smoothStep(0.9f, 0.93f, polar));
}

Image planetTexture(int width) {
    Image image(width, width / 2);
    for (int y = 0; y < image.height; ++y) {
        float lat = ((float(y) + 0.5f) / float(image.height) - 0.5f) * kPi;
        for (int x = 0; x < image.width; ++x) {
            float lon = ((float(x) + 0.5f) / float(image.width) - 0.5f) * 2.0f * kPi;
            glm::vec3 d(std::cos(lat) * std::cos(lon), std::sin(lat),
                        std::cos(lat) * std::sin(lon));
            image.set(x, y, planetColour(d));
        }
    }
    return image;
}

Image playerSkin() {
    Image image(layout::kSkinSize, layout::kSkinSize);
    const glm::vec3 suit(0.13f, 0.42f, 0.92f), suitLight(0.35f, 0.65f, 1.0f),
        belt(0.08f, 0.08f, 0.2f);
    const glm::vec3 gold(1.0f, 0.78f, 0.18f), skin(1.0f, 0.79f, 0.62f),
        helmetWhite(0.9f, 0.94f, 1.0f);
    paintRect(image, layout::kBody, [&](float s, float t) {
        float n = valueNoise(onSphere(s, t) * 6.0f, 41u);
        glm::vec3 c = mix(suit, suitLight, smoothStep(0.7f, 0.95f, t) + 0.05f * n);
        if (t > 0.33f && t < 0.41f) {
            c = angleTo(s, t, 0.25f, 0.37f) < 0.16f ? gold : belt;
        }
        float emblem = angleTo(s, t, 0.25f, 0.62f);
        if (emblem < 0.3f) {
            c = emblem < 0.2f ? gold : glm::vec3(1.0f);
        }
        return c;
    });
    paintRect(image, layout::kHead, [&](float s, float t) {
        // The face looks forward (+z, s = 0.25) and a little up; hair covers the rest of the top.
        // A bright helmet keeps the fighter readable from the camera above.
        float face = angleTo(s, t, 0.25f, 0.55f);
        bool helmet = (t > 0.62f && face > 0.75f) || t > 0.9f;
        glm::vec3 c = skin;
        if (helmet) {
            c = std::fabs(std::cos(s * 2.0f * kPi)) < 0.13f ? gold : helmetWhite;
        }
        float mouth = angleTo(s, t, 0.25f, 0.5f);
        if (mouth > 0.28f && mouth < 0.34f && t < 0.47f) {
            c = glm::vec3(0.55f, 0.15f, 0.12f);
        }
        if (angleTo(s, t, 0.25f, 0.52f) > 0.4f && angleTo(s, t, 0.25f, 0.52f) < 0.5f && t < 0.6f &&
            t > 0.45f) {
            c = mix(c, glm::vec3(1.0f, 0.55f, 0.55f), 0.4f); // cheeks
        }
        return c;
    });
    paintRect(image, layout::kEye, [&](float s, float t) {
        return eyeColour(s, t, glm::vec3(0.97f), glm::vec3(0.2f, 0.45f, 0.85f), false);
    });
    paintRect(image, layout::kFoot, [&](float, float t) {
        return t < 0.3f ? glm::vec3(0.9f) : glm::vec3(0.1f, 0.12f, 0.32f);
    });
    paintRect(image, layout::kFist, [&](float s, float t) {
        float n = valueNoise(onSphere(s, t) * 5.0f, 43u);
        glm::vec3 c = gold * (0.93f + 0.07f * n);
        // Finger grooves across the front.
        float across = std::fabs(s - 0.25f);
        if (across < 0.14f && t > 0.35f && t < 0.75f && std::fmod(t * 16.0f, 1.0f) < 0.18f) {
            c *= 0.72f;
        }
        return c;
    });
    paintRect(image, layout::kCuff, [&](float, float t) {
        return std::fabs(t - 0.5f) < 0.12f ? glm::vec3(0.85f, 0.15f, 0.12f)
                                           : glm::vec3(0.96f, 0.96f, 0.92f);
    });
    return image;
}

Image enemySkin() {
    Image image(layout::kSkinSize, layout::kSkinSize);
    const glm::vec3 hide(0.78f, 0.1f, 0.25f), spots(0.45f, 0.04f, 0.22f), belly(0.98f, 0.5f, 0.45f);
    paintRect(image, layout::kBody, [&](float s, float t) {
        float n = fractalNoise(onSphere(s, t) * 3.5f, 3, 51u);
        glm::vec3 c = mix(hide, spots, smoothStep(0.15f, 0.3f, n));
        c = mix(c, belly, smoothStep(0.75f, 0.55f, angleTo(s, t, 0.25f, 0.3f)));
        // A wide grin with teeth below the eyes.
        float mouth = angleTo(s, t, 0.25f, 0.62f);
        if (mouth > 0.5f && mouth < 0.68f && t < 0.55f && std::fabs(s - 0.25f) < 0.16f) {
            bool tooth = mouth < 0.58f && std::fmod((s - 0.09f) * 40.0f, 1.0f) < 0.55f;
            c = tooth ? glm::vec3(1.0f, 0.97f, 0.9f) : glm::vec3(0.18f, 0.02f, 0.05f);
        }
        return c;
    });
    paintRect(image, layout::kHead, [&](float, float t) {
        glm::vec3 c = mix(glm::vec3(1.0f, 0.92f, 0.72f), glm::vec3(0.35f, 0.25f, 0.2f),
                          smoothStep(0.55f, 1.0f, t));
        return std::fmod(t * 6.0f, 1.0f) < 0.12f ? c * 0.8f : c;
    });
    paintRect(image, layout::kEye, [&](float s, float t) {
        return eyeColour(s, t, glm::vec3(1.0f, 0.95f, 0.45f), glm::vec3(1.0f, 0.35f, 0.05f), true);
    });
    paintRect(image, layout::kFoot, [&](float, float) { return spots; });
    paintRect(image, layout::kFist, [&](float, float) { return hide; });
    paintRect(image, layout::kCuff, [&](float, float) { return hide; });
    return image;
}
