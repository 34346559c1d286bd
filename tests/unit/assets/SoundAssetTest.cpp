// The effects and the music, decoded by SDL_mixer as the sound layer decodes them.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "AssetFiles.h"

namespace {

TEST(SoundAssets, EverySoundDecodesAtItsLengthAudibleUnclippedAndDistinct) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);  // no sound card needed
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    Mix_Init(MIX_INIT_MP3);
    const struct {
        const char* name;
        double minSeconds, maxSeconds;
    } cases[] = {{"punch.wav", 0.1, 1.5},  {"enemy_punch.wav", 0.1, 1.5}, {"enemy_die.wav", 0.1, 1.5},
                 {"track1.mp3", 30, 90}, {"track2.mp3", 30, 90},       {"track3.mp3", 30, 90},
                 {"track4.mp3", 30, 90}};
    size_t musicBytes = 0;
    std::vector<std::pair<double, double>> effects;  // (seconds, zero crossings per second)
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes = readResource(c.name);
        const bool effect = c.maxSeconds < 2;
        if (effect) {  // 16-bit PCM: format 1 and 16 bits in the header
            ASSERT_GE(bytes.size(), 44u);
            EXPECT_TRUE(bytes[20] == 1 && bytes[21] == 0 && bytes[34] == 16 && bytes[35] == 0);
        } else {
            musicBytes += bytes.size();
        }
        Mix_Chunk* chunk = Mix_LoadWAV(resourceFile(c.name).c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const std::vector<int16_t> s(reinterpret_cast<int16_t*>(chunk->abuf), reinterpret_cast<int16_t*>(chunk->abuf) + chunk->alen / 2);
        Mix_FreeChunk(chunk);
        const double seconds = s.size() / 2 / 44100.0;
        EXPECT_GE(seconds, c.minSeconds);
        EXPECT_LE(seconds, c.maxSeconds);
        double sum = 0;
        int peak = 0, crossings = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            sum += double(s[i]) * s[i];
            peak = std::max(peak, std::abs(int(s[i])));
            crossings += i >= 2 && (s[i - 2] < 0) != (s[i] < 0);
        }
        EXPECT_GT(std::sqrt(sum / s.size()) / 32768, 0.05) << "too quiet";
        if (effect) {
            EXPECT_GT(peak, 32768 * 8 / 10) << "not peak-normalised";
            EXPECT_LT(peak, 32767) << "clipped";
            effects.push_back({seconds, crossings / 2 / seconds});
        } else {  // both ends near silence, so that the loop's jump back cannot click
            const size_t edge = 2 * 44100 / 1000;  // 1 ms
            for (size_t i = 0; i < edge; ++i) {
                EXPECT_LT(std::abs(int(s[i])), 32768 / 20) << "start";
                EXPECT_LT(std::abs(int(s[s.size() - 1 - i])), 32768 / 20) << "end";
            }
        }
    }
    EXPECT_LT(musicBytes, 4u * 1024 * 1024);
    // The effects are told apart by length or by pitch.
    for (size_t a = 0; a < effects.size(); ++a) {
        for (size_t b = a + 1; b < effects.size(); ++b) {
            EXPECT_TRUE(std::fabs(std::log(effects[a].first / effects[b].first)) > 0.1 ||
                        std::fabs(std::log(effects[a].second / effects[b].second)) > 0.2)
                << cases[a].name << " vs " << cases[b].name;
        }
    }
    Mix_CloseAudio();
    SDL_Quit();
}

}  // namespace
