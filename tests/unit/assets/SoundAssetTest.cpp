// The effects and the music, as files and as SDL_mixer (the sound layer's decoder) hears them.
#include <SDL.h>
#include <SDL_mixer.h>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "AssetFiles.h"

namespace {

struct Pcm {
    int channels = 0, rate = 0;
    std::vector<int16_t> samples;
    double seconds() const { return rate ? double(samples.size()) / channels / rate : 0.0; }
};

uint32_t little(const std::string& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) {
        v |= uint32_t(uint8_t(b[at + size_t(i)])) << (8 * i);
    }
    return v;
}

// A plain 16-bit PCM WAV: RIFF header, "fmt " and "data" chunks.
bool parseWav(const std::string& b, Pcm& out, std::string& why)
{
    if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
        why = "not RIFF/WAVE";
        return false;
    }
    size_t at = 12;
    while (at + 8 <= b.size()) {
        std::string tag = b.substr(at, 4);
        uint32_t size = little(b, at + 4, 4);
        if (tag == "fmt ") {
            if (little(b, at + 8, 2) != 1 || little(b, at + 22, 2) != 16) {
                why = "not 16-bit PCM";
                return false;
            }
            out.channels = int(little(b, at + 10, 2));
            out.rate = int(little(b, at + 12, 4));
        } else if (tag == "data") {
            if (at + 8 + size > b.size() || out.channels == 0) {
                why = "bad data chunk";
                return false;
            }
            out.samples.resize(size / 2);
            std::memcpy(out.samples.data(), b.data() + at + 8, out.samples.size() * 2);
            return true;
        }
        at += 8 + size + (size & 1);
    }
    why = "no data chunk";
    return false;
}

int peak(const std::vector<int16_t>& s, size_t from, size_t to)
{
    int p = 0;
    for (size_t i = from; i < to && i < s.size(); ++i) {
        p = std::max(p, std::abs(int(s[i])));
    }
    return p;
}

double rms(const std::vector<int16_t>& s)
{
    double sum = 0;
    for (int16_t v : s) {
        sum += double(v) * v;
    }
    return s.empty() ? 0.0 : std::sqrt(sum / double(s.size())) / 32768.0;
}

double zeroCrossingsPerSecond(const Pcm& pcm)
{
    int n = 0;
    for (size_t i = 1; i < pcm.samples.size(); ++i) {
        n += (pcm.samples[i - 1] < 0) != (pcm.samples[i] < 0);
    }
    return n / pcm.seconds();
}

// Opens SDL_mixer without a sound card, as the sound layer's tests do.
class MixerSession {
public:
    MixerSession()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ok_ = SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0;
        if (ok_) {
            Mix_Init(MIX_INIT_MP3);
            Mix_QuerySpec(&rate_, nullptr, &channels_);
        }
    }
    ~MixerSession()
    {
        if (ok_) {
            Mix_CloseAudio();
        }
        SDL_Quit();
    }
    bool ok() const { return ok_; }

    bool decode(const std::string& path, Pcm& out) const
    {
        Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
        if (!chunk) {
            return false;
        }
        out.channels = channels_;
        out.rate = rate_;
        out.samples.assign(reinterpret_cast<int16_t*>(chunk->abuf), reinterpret_cast<int16_t*>(chunk->abuf) + chunk->alen / 2);
        Mix_FreeChunk(chunk);
        return true;
    }

private:
    bool ok_ = false;
    int rate_ = 0, channels_ = 0;
};

const char* const kEffects[] = {"punch.wav", "enemy_punch.wav", "enemy_die.wav"};

}  // namespace

TEST(SoundAssets, EffectsAreShortLoudUnclipped16BitPcm)
{
    for (const char* name : kEffects) {
        Pcm pcm;
        std::string why;
        ASSERT_TRUE(parseWav(readBytes(resourceFile(name)), pcm, why)) << name << ": " << why;
        EXPECT_GE(pcm.seconds(), 0.1) << name;
        EXPECT_LE(pcm.seconds(), 1.5) << name;
        int p = peak(pcm.samples, 0, pcm.samples.size());
        EXPECT_GT(p, 32768 * 8 / 10) << name << ": peak-normalised";
        EXPECT_LT(p, 32767) << name << ": clipped";
        EXPECT_GT(rms(pcm.samples), 0.05) << name;
    }
}

TEST(SoundAssets, EffectsDifferFromEachOther)
{
    std::vector<Pcm> all(3);
    for (size_t i = 0; i < 3; ++i) {
        std::string why;
        ASSERT_TRUE(parseWav(readBytes(resourceFile(kEffects[i])), all[i], why)) << why;
    }
    for (size_t a = 0; a < 3; ++a) {
        for (size_t b = a + 1; b < 3; ++b) {
            double lengthRatio = all[a].seconds() / all[b].seconds();
            double pitchRatio = zeroCrossingsPerSecond(all[a]) / zeroCrossingsPerSecond(all[b]);
            bool distinct = std::fabs(std::log(lengthRatio)) > 0.1 || std::fabs(std::log(pitchRatio)) > 0.2;
            EXPECT_TRUE(distinct) << kEffects[a] << " vs " << kEffects[b];
        }
    }
}

TEST(SoundAssets, EffectsDecodeThroughTheMixer)
{
    MixerSession mixer;
    ASSERT_TRUE(mixer.ok()) << Mix_GetError();
    for (const char* name : kEffects) {
        Pcm pcm;
        ASSERT_TRUE(mixer.decode(resourceFile(name), pcm)) << name << ": " << Mix_GetError();
        EXPECT_GT(rms(pcm.samples), 0.03) << name;
    }
}

TEST(SoundAssets, MusicTracksDecodeLastHalfAMinuteToNinetySecondsAndLoopQuietly)
{
    MixerSession mixer;
    ASSERT_TRUE(mixer.ok()) << Mix_GetError();
    size_t totalBytes = 0;
    for (int track = 1; track <= 4; ++track) {
        std::string name = "track" + std::to_string(track) + ".mp3";
        totalBytes += readBytes(resourceFile(name)).size();
        Pcm pcm;
        ASSERT_TRUE(mixer.decode(resourceFile(name), pcm)) << name << ": " << Mix_GetError();
        EXPECT_GE(pcm.seconds(), 30.0) << name;
        EXPECT_LE(pcm.seconds(), 90.0) << name;
        EXPECT_GT(rms(pcm.samples), 0.05) << name;
        // Both ends near silence: the jump from the last sample back to the first cannot click.
        size_t edge = size_t(pcm.rate * pcm.channels / 1000);  // 1 ms
        EXPECT_LT(peak(pcm.samples, 0, edge), 32768 / 20) << name << " start";
        EXPECT_LT(peak(pcm.samples, pcm.samples.size() - edge, pcm.samples.size()), 32768 / 20) << name << " end";
    }
    EXPECT_LT(totalBytes, 4u * 1024u * 1024u);
}
