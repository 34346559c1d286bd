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

struct Refused {
    const char* name;
    const char* text;
    const char* message;
};

class ConfigRefuses : public testing::TestWithParam<Refused> {};

TEST_P(ConfigRefuses, NamesTheFileAndLine) {
    const Refused& c = GetParam();
    const ConfigResult r = parseConfig(c.text, "resources/config");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigRefuses,
    testing::Values(
        Refused{"empty_file", "", "resources/config: has 0 lines, needs 3 (display mode, width, height)"},
        Refused{"two_lines", "w\n1280\n", "resources/config: has 2 lines, needs 3 (display mode, width, height)"},
        Refused{"empty_mode", "\n1280\n720\n", "resources/config:1: the display mode line is empty"},
        Refused{"crlf_empty_mode", "\r\n1280\r\n720\r\n", "resources/config:1: the display mode line is empty"},
        Refused{"letters_width", "w\nabc\n720\n", "resources/config:2: width \"abc\" is not a positive whole number"},
        Refused{"zero_height", "w\n1280\n0\n", "resources/config:3: height \"0\" is not a positive whole number"},
        Refused{"negative_width", "w\n-1280\n720\n", "resources/config:2: width \"-1280\" is not a positive whole number"},
        Refused{"overflowing_height", "w\n1280\n99999999999999999999\n",
                "resources/config:3: height \"99999999999999999999\" is not a positive whole number"}),
    [](const testing::TestParamInfo<Refused>& info) { return info.param.name; });

TEST(ConfigFile, MissingFileIsRefusedWithItsPath) {
    const ConfigResult r = readConfig("/nonexistent/quorvex/config");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "/nonexistent/quorvex/config: cannot be read (missing or not readable)");
}

}  // namespace
