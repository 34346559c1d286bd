#include <gtest/gtest.h>

#include "app/Config.h"

namespace {

struct Accepted {
    const char* name;
    const char* text;
    bool fullscreen;
    int width, height;
};

class ConfigAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(ConfigAccepts, ReadsModeWidthAndHeight) {
    const Accepted& c = GetParam();
    const ConfigResult r = parseConfig(c.text, "resources/config");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.config.fullscreen, c.fullscreen);
    EXPECT_EQ(r.config.width, c.width);
    EXPECT_EQ(r.config.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigAccepts,
    testing::Values(Accepted{"window", "window\n1280\n720\n", false, 1280, 720},
                    Accepted{"full", "full\n800\n600\n", true, 800, 600},
                    Accepted{"upper_f", "Fenster\n800\n600", true, 800, 600},
                    Accepted{"blank_before_f", " full\n800\n600\n", false, 800, 600},
                    Accepted{"units_after_digits", "w\n1280px\n720\n", false, 1280, 720},
                    Accepted{"leading_space", "w\n1280\n  720\n", false, 1280, 720},
                    Accepted{"plus_sign", "w\n+640\n480\n", false, 640, 480},
                    Accepted{"extra_lines_ignored", "w\n640\n480\nf\n-3\ngarbage\n", false, 640, 480},
                    Accepted{"crlf", "f\r\n1024\r\n768\r\n", true, 1024, 768}),
    [](const testing::TestParamInfo<Accepted>& info) { return info.param.name; });

// The refused cases and their messages are checked on the real binary (ConfigExitTest).

TEST(ConfigFile, MissingFileIsRefusedWithItsPath) {
    const ConfigResult r = readConfig("/nonexistent/quorvex/config");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "/nonexistent/quorvex/config: cannot be read (missing or not readable)");
}

}  // namespace
