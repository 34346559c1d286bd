// The sun is drawn as ONE triangle fan over its vertex list. Rasterise that fan on the CPU as
// the colour pass would (sun placement, camera projection, back faces culled) and check the
// result is the whole disc.
#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <vector>

#include "AssetFiles.h"
#include "render/Mesh.h"

namespace {

constexpr int kSize = 256;

using Point = glm::vec2;

float cross(const Point& o, const Point& a, const Point& b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

std::vector<Point> convexHull(std::vector<Point> points)
{
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
    hull.resize(k > 1 ? k - 1 : k);
    return hull;
}

float area(const std::vector<Point>& polygon)
{
    float sum = 0.0f;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % polygon.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return std::fabs(sum) * 0.5f;
}

struct View {
    const char* name;
    glm::vec3 eye, centre, up;
};

struct Coverage {
    std::vector<Point> covered;  // centres of covered pixels
    std::vector<Point> rim;      // the projected fan vertices after the first
};

Coverage rasteriseFan(const MeshData& sun, const View& view)
{
    glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(100, 0, 0)) * glm::scale(glm::mat4(1.0f), glm::vec3(20.0f));
    glm::mat4 mvp = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f) * glm::lookAt(view.eye, view.centre, view.up) * model;
    std::vector<Point> screen;
    for (int i = 0; i < sun.vertexCount; ++i) {
        glm::vec4 clip = mvp * glm::vec4(sun.positions[size_t(i) * 4], sun.positions[size_t(i) * 4 + 1], sun.positions[size_t(i) * 4 + 2], 1.0f);
        EXPECT_GT(clip.w, 0.1f) << view.name;
        screen.push_back((Point(clip.x, clip.y) / clip.w * 0.5f + 0.5f) * float(kSize));  // y up, as GL's window
    }
    Coverage result;
    result.rim.assign(screen.begin() + 1, screen.end());
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            Point p(float(x) + 0.5f, float(y) + 0.5f);
            for (size_t i = 1; i + 1 < screen.size(); ++i) {
                const Point &a = screen[0], &b = screen[i], &c = screen[i + 1];
                // Counter-clockwise in window space is front-facing; the rest is culled.
                if (cross(a, b, c) > 0.0f && cross(a, b, p) >= 0.0f && cross(b, c, p) >= 0.0f && cross(c, a, p) >= 0.0f) {
                    result.covered.push_back(p);
                    break;
                }
            }
        }
    }
    return result;
}

}  // namespace

TEST(SunFan, CoversTheWholeConvexDiscFromEveryCameraPlace)
{
    std::string problem;
    MeshData sun = readMeshFile(resourceFile("sun.obj"), false, false, &problem);
    ASSERT_EQ(problem, "");
    ASSERT_GE(sun.vertexCount, 10);
    const View views[] = {
        {"from the origin", {0, 0, 0}, {100, 0, 0}, {0, 1, 0}},
        {"near side, rolled", {5.9f, 0, 0}, {100, 5, 3}, {0, 0.6f, 0.8f}},
        {"far side, upside down", {-6, 0, 0}, {100, -8, 0}, {0, -1, 0}},
        {"above the pole", {0, 5.9f, 0}, {100, 0, 10}, {0, 0, 1}},
        {"oblique", {-2, -3, 4.5f}, {100, 12, -9}, {0.3f, 0.9f, 0.2f}},
    };
    for (const View& view : views) {
        Coverage c = rasteriseFan(sun, view);
        float rimArea = area(convexHull(c.rim));
        ASSERT_GT(rimArea, 500.0f) << view.name;
        float coveredArea = float(c.covered.size());
        // The whole disc is drawn (no culled or missing wedge) ...
        EXPECT_NEAR(coveredArea / rimArea, 1.0f, 0.04f) << view.name;
        // ... and what is drawn is one convex blob, not slivers.
        EXPECT_GT(coveredArea / area(convexHull(c.covered)), 0.96f) << view.name;
    }
}

TEST(SunFan, StartsAtTheCentreWithTheRimAroundIt)
{
    std::string problem;
    MeshData sun = readMeshFile(resourceFile("sun.obj"), false, false, &problem);
    ASSERT_GE(sun.vertexCount, 3);
    glm::vec3 centre(sun.positions[0], sun.positions[1], sun.positions[2]);
    for (int i = 1; i < sun.vertexCount; ++i) {
        glm::vec3 p(sun.positions[size_t(i) * 4], sun.positions[size_t(i) * 4 + 1], sun.positions[size_t(i) * 4 + 2]);
        EXPECT_NEAR(glm::length(p - centre), 1.0f, 1e-4f) << "vertex " << i;
    }
    // The sun's colour is a warm yellow: red over green over blue.
    EXPECT_GT(sun.colours[0], sun.colours[1]);
    EXPECT_GT(sun.colours[1], sun.colours[2]);
    EXPECT_GT(sun.colours[3], 0.0f);
}
