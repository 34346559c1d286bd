#include <algorithm>
#include <gtest/gtest.h>

#include "app/GlState.h"
#include "app/Hud.h"
#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "render/LightMatrices.h"
#include "render/TextRenderer.h"
#include "support/GlContext.h"
#include "world/World.h"

namespace {

// A game world with its real shaders, meshes and textures, drawn through the frame's passes.
class RenderPasses : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_GL_CONTEXT(context);
        enterSourceDir();
        setGlobalGlState();
        shadowMap = std::make_unique<ShadowMap>();
        ASSERT_TRUE(shadowMap->complete());
        world = std::make_unique<World>(sound.get(), [] { return 0.0; });
    }
    std::vector<float> shadowDepths() const { // after a frame
        // Mesa's llvmpipe lets glGetTexImage read a depth texture that is no longer attached
        // while its rasterizer still draws the queued passes into it: wait for them first.
        glFinish();
        std::vector<float> depth(ShadowMap::kSize * ShadowMap::kSize);
        glBindTexture(GL_TEXTURE_2D, shadowMap->depthTexture());
        glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return depth;
    }
    GlContext context{320, 180};
    std::unique_ptr<ShadowMap> shadowMap;
    std::unique_ptr<SoundEngine> sound = SoundEngine::createSilent();
    std::unique_ptr<World> world;
};

TEST_F(RenderPasses, FramesLeaveTheWindowBoundDrawTheHudOnTopAndKeepNoGlObjects) {
    world->spawnEnemy(glm::normalize(glm::vec3(0.1f, 0.1f, -1.0f)));
    TextRenderer text("resources/font.tga");
    HudValues values;
    values.showFrameRate = true;
    drainGlErrors();
    std::array<int, 4> before{};
    for (int i = 0; i < 10; ++i) {
        renderFrame(*shadowMap, *world, 320, 180);
        drawTexts(text, hudLayout(values));
        before = i == 0 ? liveGlNames() : before;
    }
    EXPECT_EQ(liveGlNames(), before);
    EXPECT_EQ(drainGlErrors(), "");
    EXPECT_EQ(glState(GL_FRAMEBUFFER_BINDING) + glState(GL_CURRENT_PROGRAM), 0);
    // Even a scene at the near plane does not hide the HUD.
    Framebuffer target(320, 180);
    glClearDepth(0.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    drawTexts(text, hudLayout(values));
    std::vector<unsigned char> rgba(320 * 180 * 4);
    glReadPixels(0, 0, 320, 180, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    EXPECT_GT(std::count_if(rgba.begin(), rgba.end(), [](int v) { return v > 0; }), 1000);
}

TEST_F(RenderPasses, ShadowMapHoldsThePlanetAndAFistHeldOutBeforeIt) {
    // The light looks from +x at the origin: the planet covers the middle of the map, corners
    // stay cleared, and a fist on the lit side lies nearer to the light than the planet.
    const glm::vec3 place(1.6f, 0.2f, 0.1f);
    const glm::vec3 fistCentre = place + 1.3f * 0.025f * glm::normalize(place);
    const glm::vec4 lookup = shadowBias() * shadowLightMatrix() * glm::vec4(fistCentre, 1.0f);
    const int x = static_cast<int>(lookup.x / lookup.w * ShadowMap::kSize);
    const int y = static_cast<int>(lookup.y / lookup.w * ShadowMap::kSize);
    renderFrame(*shadowMap, *world, 320, 180);
    const std::vector<float> planetOnly = shadowDepths();
    const int mid = ShadowMap::kSize / 2;
    EXPECT_LT(planetOnly[mid * ShadowMap::kSize + mid], 1.0f) << "planet missing from the map";
    EXPECT_EQ(planetOnly[5 * ShadowMap::kSize + 5], 1.0f);
    world->player->rightFist->setPosition(place);
    renderFrame(*shadowMap, *world, 320, 180);
    EXPECT_LT(shadowDepths()[y * ShadowMap::kSize + x], planetOnly[y * ShadowMap::kSize + x]);
}

} // namespace
