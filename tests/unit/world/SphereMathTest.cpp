#include <cstdlib>

#include "WorldTestSupport.h"
#include "world/Sun.h"

namespace {

TEST(SphereMath, RandomDirectionsAreUnitAndCoverEveryOctant) {
    std::srand(42);
    int octants[8] = {};
    for (int i = 0; i < 4000; ++i) {
        const glm::vec3 d = randomDirection();
        ASSERT_NEAR(glm::length(d), 1.0f, 1e-6f);
        ++octants[(d.x > 0) + 2 * (d.y > 0) + 4 * (d.z > 0)];
    }
    for (int count : octants) EXPECT_GT(count, 350); // about 500 each
}

TEST(Sun, ModelMatrixScalesBy20ThenMovesTo100OnX) {
    const glm::mat4 m = sunModelMatrix();
    EXPECT_VEC_NEAR(origin(m), glm::vec3(100, 0, 0), 1e-5f);
    EXPECT_VEC_NEAR(glm::vec3(m * glm::vec4(1, 0, 0, 1)), glm::vec3(120, 0, 0), 1e-5f);
    EXPECT_VEC_NEAR(glm::vec3(m * glm::vec4(0, 1, 0, 1)), glm::vec3(100, 20, 0), 1e-5f);
}

} // namespace
