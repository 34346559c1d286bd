#include "world/Visibility.h"

#include <algorithm>
#include <cmath>

#include "render/LightMatrices.h"

namespace {
// The planet mesh is inscribed in the unit sphere and both it and the bodies are rasterized:
// the planet is taken smaller and every ball larger, so that "hidden" holds with room to spare.
constexpr float kPlanetRadius = 0.99f;
constexpr float kBallMargin = 0.01f;
// Lit planet fragments face the sun (+x in the planet shader); with the mesh's facets none lies
// further than this past the terminator plane.
constexpr float kNightMargin = 0.2f;
} // namespace

bool hiddenBehindPlanet(const glm::vec3& eye, const glm::vec3& centre, float radius) {
    const float eyeDistance = glm::length(eye);
    const float r = radius + kBallMargin;
    if (!(eyeDistance > kPlanetRadius)) {
        return false;
    }
    const glm::vec3 toEye = eye / eyeDistance;
    // Sight lines touch the planet on a circle in this plane; nearer to the eye than it nothing
    // is hidden, as every sight line through the cone meets the planet before the plane.
    const float horizonPlane = kPlanetRadius * kPlanetRadius / eyeDistance;
    if (glm::dot(centre, toEye) + r >= horizonPlane) {
        return false;
    }
    const glm::vec3 sight = centre - eye;
    const float sightLength = glm::length(sight);
    if (!(sightLength > r)) {
        return false;
    }
    const float coneHalfAngle = std::asin(kPlanetRadius / eyeDistance);
    const float offAxis = std::acos(std::clamp(glm::dot(sight / sightLength, -toEye), -1.0f, 1.0f));
    return offAxis + std::asin(r / sightLength) < coneHalfAngle;
}

bool castsNoVisibleShadow(const glm::vec3& centre, float radius) {
    // Depths in the shadow map grow away from the light along x, so a caster wholly past the
    // night margin lies behind every lit planet fragment and cannot darken one. Any other
    // fragment it could darken lies behind it from the light and so behind the planet, whose
    // own depth is in the map before the bodies are drawn in colour.
    const glm::vec3 toSun = glm::normalize(shadowLightPosition());
    return glm::dot(centre, toSun) + radius < -kNightMargin &&
           hiddenBehindPlanet(shadowLightPosition(), centre, radius);
}

namespace {
// Past the planet's far side a body is shadowed by the planet's own depth once it stands
// further than the largest depth bias (0.04), plus what one map texel of a steep far side and
// the facets add.
constexpr float kPastFarSide = 0.1f;
// Long stretches are judged piece by piece: one ball around all of one would hide too little.
constexpr float kStretchPiece = 0.2f;

// Whether the stretch [from, to] of a shadow column of the given radius lies behind the planet
// from the eye; an empty stretch holds nothing to see.
bool stretchHidden(const glm::vec3& eye, const glm::vec3& start, const glm::vec3& axis, float from,
                   float to, float radius) {
    const int pieces = to > from ? static_cast<int>(std::ceil((to - from) / kStretchPiece)) : 0;
    const float length = pieces > 0 ? (to - from) / static_cast<float>(pieces) : 0.0f;
    for (int i = 0; i < pieces; ++i) {
        const float middle = from + (static_cast<float>(i) + 0.5f) * length;
        if (!hiddenBehindPlanet(eye, start + middle * axis, 0.5f * length + radius)) {
            return false;
        }
    }
    return true;
}
} // namespace

bool shadowOutOfSight(const glm::vec3& eye, const glm::vec3& centre, float radius, float reach) {
    // The shadow is the cone from the shadow light through the ball, bounded here by a column
    // as wide as the cone gets within `reach`. Where it may show: from the ball to the planet,
    // where the planet itself is drawn before its depth is in the map, and just past the
    // planet's far side, where a body stands too close to that depth for its bias to shadow it.
    const glm::vec3 light = shadowLightPosition();
    const float distance = glm::length(centre - light);
    if (!(distance > 2.0f * radius)) {
        return false;
    }
    const glm::vec3 axis = (centre - light) / distance;
    const float spread = radius / (distance - radius); // cone radius per unit along the axis
    const float columnRadius = spread * (glm::length(light) + reach);
    const float nearest = -glm::dot(light, axis); // the axis's point nearest the planet's centre
    const float offCentre = glm::length(light + nearest * axis);
    const float outer = reach + columnRadius;
    if (!(offCentre < outer)) {
        return false;
    }
    const float begin = distance - radius;
    const float end = nearest + std::sqrt(outer * outer - offCentre * offCentre);
    const float inner = kPlanetRadius - columnRadius;
    if (!(offCentre < inner)) {
        // Some of the column passes the planet by: it is followed out to `reach`.
        return stretchHidden(eye, light, axis, begin, end, columnRadius);
    }
    const float half = std::sqrt(inner * inner - offCentre * offCentre);
    const float closest = offCentre - columnRadius;
    const float leaves = nearest + std::sqrt(1.0f - closest * closest) + columnRadius;
    return stretchHidden(eye, light, axis, begin, nearest - half, columnRadius) &&
           stretchHidden(eye, light, axis, nearest + half, std::min(end, leaves + kPastFarSide),
                         columnRadius);
}
