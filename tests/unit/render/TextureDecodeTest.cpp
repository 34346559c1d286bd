#include <gtest/gtest.h>

#include "render/Texture.h"
#include "support/Fixtures.h"

TEST(TextureDecode, RefusesWhatItCannotUse) {
    std::string header = tgaBytes(1, 1, {1, 2, 3, 4});
    auto withSize = [&](int w, int h) {
        std::string bytes = header;
        bytes[12] = static_cast<char>(w & 0xff);
        bytes[13] = static_cast<char>(w >> 8);
        bytes[14] = static_cast<char>(h & 0xff);
        bytes[15] = static_cast<char>(h >> 8);
        return bytes;
    };
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"not an image", std::string(40, 'x')},
        {"zero width", withSize(0, 1)},
        // 65535 x 65535 would ask for 16 GiB; refused from the header, before decoding.
        {"huge", withSize(65535, 65535)},
        {"too wide for any GL 3.3 texture", withSize(65535, 1)},
    };
    for (const Case& c : cases) {
        Image image;
        image.width = 7;
        std::string problem;
        EXPECT_FALSE(decodeImage(c.bytes.data(), c.bytes.size(), image, &problem)) << c.name;
        EXPECT_NE(problem, "") << c.name;
        EXPECT_EQ(image.width, 0) << c.name;
        EXPECT_TRUE(image.rgba.empty()) << c.name;
    }
    Image image;
    EXPECT_FALSE(decodeImage(nullptr, 10, image, nullptr));
}
