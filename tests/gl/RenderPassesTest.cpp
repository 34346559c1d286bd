#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/Hud.h"
#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "render/LightMatrices.h"
#include "render/TextRenderer.h"
#include "support/Fixtures.h"
#include "support/GlContext.h"
#include "world/World.h"

namespace {

// A game world with its real shaders, meshes and textures, drawn through the frame's passes.
class RenderPasses : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GL_CONTEXT(context);
        enterSourceDir();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        shadowMap = std::make_unique<ShadowMap>();
        ASSERT_TRUE(shadowMap->complete());
        sound = SoundEngine::createSilent();
        world = std::make_unique<World>(sound.get(), [] { return 0.0; });
    }

    // The shadow map's depth values after a frame.
    std::vector<float> shadowDepths() const {
        std::vector<float> depth(ShadowMap::kSize * ShadowMap::kSize);
        glBindTexture(GL_TEXTURE_2D, shadowMap->depthTexture());
        glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return depth;
    }

    GlContext context{320, 180};
    std::unique_ptr<ShadowMap> shadowMap;
    std::unique_ptr<SoundEngine> sound;
    std::unique_ptr<World> world;
};

GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

TEST_F(RenderPasses, LeaveTheWindowBoundWithBackFacesCulledAndNothingElseBound) {
    world->spawnEnemy(glm::normalize(glm::vec3(0.1f, 0.1f, -1.0f)));
    drainGlErrors();
    renderFrame(*shadowMap, *world, 320, 180);
    EXPECT_EQ(drainGlErrors(), "");
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 180);
}

TEST_F(RenderPasses, ShadowMapHoldsEveryCasterAndOnlyThem) {
    // The light looks from +x at the origin: the planet covers the middle of the map, and a
    // character standing on the lit side casts nearer depth than the planet behind it.
    world->player->lives = 100.0f;
    renderFrame(*shadowMap, *world, 320, 180);
    const std::vector<float> depth = shadowDepths();
    const auto at = [&](int x, int y) { return depth[y * ShadowMap::kSize + x]; };
    const int mid = ShadowMap::kSize / 2;
    EXPECT_LT(at(mid, mid), 1.0f) << "planet missing from the map";
    EXPECT_EQ(at(5, 5), 1.0f) << "corner beyond the planet should stay cleared";
    EXPECT_EQ(at(ShadowMap::kSize - 5, mid), 1.0f);
    const size_t covered =
        std::count_if(depth.begin(), depth.end(), [](float d) { return d < 1.0f; });
    // The unit sphere seen from 5 units with a 45-degree frustum spans roughly half the width.
    const double fraction = double(covered) / depth.size();
    EXPECT_GT(fraction, 0.15);
    EXPECT_LT(fraction, 0.35);
}

// Live buffer and vertex array names up to the highest name handed out so far.
int liveGlNames() {
    GLuint probe = 0;
    glGenBuffers(1, &probe);
    glDeleteBuffers(1, &probe);
    int live = 0;
    for (GLuint name = 1; name < probe + 64; ++name) live += glIsBuffer(name) + glIsVertexArray(name);
    return live;
}

TEST_F(RenderPasses, FramesWithTheHudCreateNoLastingGlObjects) {
    TextRenderer text("resources/font.tga");
    HudValues values;
    values.showFrameRate = true;
    renderFrame(*shadowMap, *world, 320, 180);
    drawTexts(text, hudLayout(values));
    const int before = liveGlNames();
    for (int i = 0; i < 100; ++i) {
        renderFrame(*shadowMap, *world, 320, 180);
        drawTexts(text, hudLayout(values));
    }
    EXPECT_EQ(liveGlNames(), before);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "the HUD must give the depth test back";
}

TEST_F(RenderPasses, FistsCastIntoTheShadowMap) {
    // A fist held out between the light and the planet must stand nearer to the light than
    // the planet behind it does at the same shadow-map texel.
    const glm::vec3 place(1.6f, 0.2f, 0.1f);
    const glm::vec3 fistCentre = place + 1.3f * 0.025f * glm::normalize(place);
    const glm::vec4 lookup = shadowBias() * shadowLightMatrix() * glm::vec4(fistCentre, 1.0f);
    const int x = static_cast<int>(lookup.x / lookup.w * ShadowMap::kSize);
    const int y = static_cast<int>(lookup.y / lookup.w * ShadowMap::kSize);
    ASSERT_GT(x, 0);
    ASSERT_LT(y, ShadowMap::kSize);

    renderFrame(*shadowMap, *world, 320, 180);
    const float planetOnly = shadowDepths()[y * ShadowMap::kSize + x];
    world->player->rightFist->setPosition(place);
    renderFrame(*shadowMap, *world, 320, 180);
    const float withFist = shadowDepths()[y * ShadowMap::kSize + x];
    EXPECT_LT(withFist, planetOnly);
}

} // namespace
