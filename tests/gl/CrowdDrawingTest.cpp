#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>

#include "app/GlState.h"
#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "audio/SoundEngine.h"
#include "support/GlContext.h"
#include "world/Random.h"
#include "world/SphereMath.h"
#include "world/World.h"

namespace {

constexpr int kWidth = 1280, kHeight = 720;

std::vector<unsigned char> frame(const ShadowMap& shadowMap, World& world, EnemyDrawing how) {
    world.setEnemyDrawing(how);
    renderFrame(shadowMap, world, kWidth, kHeight);
    std::vector<unsigned char> rgb(kWidth * kHeight * 3);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Crowds of every size, landed, landing, dying and fading, seen from near and far, by day, by
// night and across the terminator: drawing in bulk leaves out only enemies that change nothing.
TEST(CrowdDrawing, BulkDrawingShowsEveryPixelThatPerEnemyDrawingShows) {
    GlContext context(kWidth, kHeight);
    ASSERT_GL_CONTEXT(context);
    enterSourceDir();
    setGlobalGlState();
    const ShadowMap shadowMap;
    const auto sound = SoundEngine::createSilent();
    // The last view is the wireframe one, where the planet hides nothing.
    const glm::vec3 eyes[] = {
        {0, 0, -3}, {1.5f, 0.6f, 1.2f}, {-4, 3, 2.5f}, {0.4f, -2.5f, 0.4f}, {0, 0, -3}};
    for (const int n : {5, 1000, 5000}) {
        World world(sound.get(), [] { return 0.0; });
        seedChance(static_cast<unsigned>(n));
        for (int i = 0; i < n; ++i)
            world.spawnEnemy(randomDirection());
        // Landed at frame 78; then a quarter die (fading, shadowless by the end), a quarter more
        // land, and another quarter die late (still casting shadows).
        for (int f = 0; f < 110; ++f) {
            world.update(1.0f / 60.0f);
            for (size_t i = f == 80    ? 0
                            : f == 100 ? 2
                                       : world.enemies.size();
                 i < world.enemies.size(); i += 4)
                world.enemies[i]->kill();
            for (int i = 0; f == 80 && i < n / 4 + 1; ++i)
                world.spawnEnemy(randomDirection());
        }
        for (const glm::vec3& eye : eyes) {
            world.camera->eye = eye;
            glPolygonMode(GL_FRONT_AND_BACK, &eye == std::end(eyes) - 1 ? GL_LINE : GL_FILL);
            const auto each = frame(shadowMap, world, EnemyDrawing::PerEnemy);
            const auto bulk = frame(shadowMap, world, EnemyDrawing::Bulk);
            int differing = 0, lit = 0;
            for (size_t p = 0; p < each.size(); p += 3) {
                bool differs = false;
                for (size_t c = p; c < p + 3; ++c)
                    differs = differs || std::abs(each[c] - bulk[c]) > 8;
                differing += differs ? 1 : 0;
                lit += each[p] + each[p + 1] + each[p + 2] > 60 ? 1 : 0;
            }
            EXPECT_GT(lit, kWidth * kHeight / 50) << "the frame was not read back";
            EXPECT_EQ(differing, 0) << n << " enemies, eye " << eye.x << " " << eye.y;
        }
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    EXPECT_EQ(drainGlErrors(), "");
}

} // namespace
