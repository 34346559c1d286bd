// Images that promise more than they hold or are no TGA.
#include <gtest/gtest.h>

#include "decode/Image.h"
#include "support/Fixtures.h"

static std::string tga(int type, int width, int height, const std::string& pixels) {
    std::string h = tgaBytes(width, height, {});
    h[2] = char(type);
    return h + pixels;
}

TEST(ForgedAsset, ImagesAreRefusedWithAReasonUnlessTheyHoldTheirPixels) {
    const struct {
        std::string bytes;
        const char* problem; // nullptr: decodes
    } cases[] = {
        {tga(2, 2, 2, std::string(15, '\x40')), "too short"},
        {tga(10, 128, 1, "\xff\x01\x02\x03\x04"), nullptr}, // one run of 128
        {tga(10, 16000, 16000, "\xff\x01\x02\x03\x04"), "too short"},
        // Found by fuzzing: a 17-byte header claiming 9185 x 8200 took seconds.
        {tga(2, 9185, 8200, "").substr(0, 17), "too short"},
        {"", "no data"},
        {std::string(40, 'x'), "not a TGA"},
        {tga(2, 0, 1, "abcd"), "not a readable image"},
        // 16 GiB asked for: refused from the header, before decoding.
        {tga(2, 65535, 65535, "abcd"), "unsupported size 65535 x 65535"},
        {tga(2, 65535, 1, "abcd"), "unsupported size"}, // too wide for GL 3.3
    };
    for (const auto& c : cases) {
        Image image{7, 1, {}}; // a stale image must be cleared on failure
        std::string problem = "stale";
        EXPECT_EQ(decodeImage(c.bytes.data(), c.bytes.size(), image, &problem), !c.problem);
        EXPECT_TRUE(c.problem ? problem.find(c.problem) != std::string::npos : problem.empty())
            << problem;
        EXPECT_EQ(image.rgba.size(), 4u * image.width * image.height) << problem;
    }
    Image image;
    // Rows stored top first reach GL bottom row first.
    const std::string twoRows = tgaBytes(1, 2, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_TRUE(decodeImage(twoRows.data(), twoRows.size(), image, nullptr));
    EXPECT_EQ(image.rgba, std::vector<unsigned char>({5, 6, 7, 8, 1, 2, 3, 4}));
}
