// The sun is drawn as ONE triangle fan over its vertex list. Rasterise that fan on the CPU as
// the colour pass would (sun placement, camera projection, back faces culled) and check the
// result is the whole disc.
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "AssetFiles.h"
#include "render/Mesh.h"

namespace {

using Point = glm::vec2;

float cross(const Point& o, const Point& a, const Point& b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// Area of the convex hull of `points` (monotone chain).
float hullArea(std::vector<Point> points) {
    std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    std::vector<Point> hull(points.size() * 2);
    size_t k = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    for (size_t i = points.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], points[i - 1]) <= 0) --k;
        hull[k++] = points[i - 1];
    }
    float sum = 0.0f;
    for (size_t i = 0; i + 1 < k; ++i) sum += hull[i].x * hull[i + 1].y - hull[i + 1].x * hull[i].y;
    return std::fabs(sum) * 0.5f;
}

TEST(SunFan, CoversTheWholeConvexDiscFromEveryCameraPlace) {
    std::string problem;
    const MeshData sun = readMeshFile(resourceFile("sun.obj"), false, false, &problem);
    ASSERT_EQ(problem, "");
    ASSERT_GE(sun.vertexCount, 10);
    // The material colour is the sun's: a warm yellow, red over green over blue.
    EXPECT_GT(sun.colours[0], sun.colours[1]);
    EXPECT_GT(sun.colours[1], sun.colours[2]);
    const struct {
        const char* name;
        glm::vec3 eye, centre, up;
    } views[] = {
        {"from the origin", {0, 0, 0}, {100, 0, 0}, {0, 1, 0}},
        {"near side, rolled", {5.9f, 0, 0}, {100, 5, 3}, {0, 0.6f, 0.8f}},
        {"far side, upside down", {-6, 0, 0}, {100, -8, 0}, {0, -1, 0}},
        {"above the pole", {0, 5.9f, 0}, {100, 0, 10}, {0, 0, 1}},
        {"oblique", {-2, -3, 4.5f}, {100, 12, -9}, {0.3f, 0.9f, 0.2f}},
    };
    constexpr int size = 256;
    const glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(100, 0, 0)), glm::vec3(20.0f));
    for (const auto& view : views) {
        SCOPED_TRACE(view.name);
        const glm::mat4 mvp = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f) * glm::lookAt(view.eye, view.centre, view.up) * model;
        std::vector<Point> screen, covered;
        for (int i = 0; i < sun.vertexCount; ++i) {
            const glm::vec4 clip = mvp * glm::vec4(sun.positions[size_t(i) * 4], sun.positions[size_t(i) * 4 + 1], sun.positions[size_t(i) * 4 + 2], 1.0f);
            ASSERT_GT(clip.w, 0.1f);
            screen.push_back((Point(clip.x, clip.y) / clip.w * 0.5f + 0.5f) * float(size));  // y up, as GL's window
        }
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const Point p(x + 0.5f, y + 0.5f);
                for (size_t i = 1; i + 1 < screen.size(); ++i) {
                    const Point &a = screen[0], &b = screen[i], &c = screen[i + 1];
                    // Counter-clockwise in window space is front-facing; the rest is culled.
                    if (cross(a, b, c) > 0 && cross(a, b, p) >= 0 && cross(b, c, p) >= 0 && cross(c, a, p) >= 0) {
                        covered.push_back(p);
                        break;
                    }
                }
            }
        }
        const float rim = hullArea({screen.begin() + 1, screen.end()});
        ASSERT_GT(rim, 500.0f);
        // The whole disc is drawn (no culled or missing wedge), as one convex blob, not slivers.
        EXPECT_NEAR(covered.size() / rim, 1.0f, 0.04f);
        EXPECT_GT(covered.size() / hullArea(covered), 0.96f);
    }
}

}  // namespace
