#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <vector>

#include "render/GlTypes.h"

class Enemy;
class InstancedModel;
class TexturedModel;
class World;

// Mesh, texture and program shared by every enemy: drawn one enemy at a time, each passing its
// own matrix, or for the whole crowd at once.
class EnemyModel {
  public:
    explicit EnemyModel(World* world);
    ~EnemyModel();
    void draw(GLuint shadowTexture, glm::mat4 model, float transparency) const;
    void drawDepth(glm::mat4 model) const;

    // Whether the crowd draws below may be used: false when a file failed to load.
    bool drawsCrowds() const;
    // The enemies in list order in one draw, less those the planet hides from the camera:
    // the same pixels as drawing each.
    void drawCrowd(const std::vector<std::unique_ptr<Enemy>>& enemies, GLuint shadowTexture) const;
    // The enemies' shadows in one draw, less those no visible surface could show.
    void drawCrowdDepth(const std::vector<std::unique_ptr<Enemy>>& enemies) const;

  private:
    // The enemy's bounding ball in the world.
    glm::vec3 ballCentre(const glm::mat4& model) const;
    float ballRadius(const glm::mat4& model) const;
    // Whether the shadow of the ball (centre, radius) may fall on something the camera sees;
    // nothing that takes shadows stands further than `reach` from the planet's centre.
    bool castsVisibleShadow(const glm::vec4& ball, float reach) const;

    World* world_;
    std::unique_ptr<TexturedModel> body_;
    std::unique_ptr<InstancedModel> crowd_;
    // What one pass draws, kept to reuse its memory.
    mutable std::vector<glm::mat4> models_;
    mutable std::vector<float> transparencies_;
    mutable std::vector<glm::vec4> balls_;
};
