#pragma once

#include "MeshBuilder.h"

// Where each part of a character sits in its 256 x 256 skin. Both the meshes (uvs) and the
// painters (colours) use this one table, so they cannot drift apart.
namespace layout {

constexpr int kSkinSize = 256;
// Parts are mapped this many texels inside their rectangle; the painter fills the margin with
// the edge colours, so mipmaps up to level 2 do not blend neighbouring parts.
constexpr float kInset = 4.0f / float(kSkinSize);

constexpr UvRect kBody{0.0f, 0.5f, 1.0f, 1.0f};
constexpr UvRect kHead{0.0f, 0.25f, 0.5f, 0.5f}; // the enemy's horns
constexpr UvRect kEye{0.5f, 0.25f, 0.75f, 0.5f};
constexpr UvRect kFoot{0.75f, 0.25f, 1.0f, 0.5f};
constexpr UvRect kFist{0.0f, 0.0f, 0.5f, 0.25f};
constexpr UvRect kCuff{0.5f, 0.0f, 1.0f, 0.25f}; // the fist's cuff and thumb, the player's crest

inline UvRect inset(const UvRect& r) {
    return {r.u0 + kInset, r.v0 + kInset, r.u1 - kInset, r.v1 - kInset};
}

} // namespace layout
