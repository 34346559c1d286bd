#pragma once

#include <string>
#include <vector>

// One piece of background music: interleaved stereo at kSampleRate, a whole number of bars,
// seamless as a loop.
struct Song {
    std::string name;
    std::vector<float> samples;
};

// The four tracks: each a different tempo, key, groove and lead sound.
std::vector<Song> composeSongs();
