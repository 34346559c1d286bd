#pragma once

#include <string>
#include <vector>

// What the game remembers of the player's choices between runs.
struct Settings {
    float musicVolume = 1.0f; // 0 to 1
    // Lines of a later game of the same format that this one does not know; written back.
    std::vector<std::string> otherLines;
};

// The file, a text a person can read:
//   quorvex-settings 1
//   music-volume 0.7
// The first line names the format and its version; then one "name value" per line.
struct SettingsParse {
    bool ok = false;
    Settings settings;
    std::string problem; // what is wrong, for the one line that tells the player
};
SettingsParse parseSettings(const std::string& text);
std::string formatSettings(const Settings& settings);

// The settings file of one run: read once at the start, written when the settings changed.
// A file that cannot be used (damaged, foreign, of a newer format, not a file) is reported in
// one line and moved aside, and the defaults count; one that cannot even be moved is never
// written over. Without a place (an empty path) nothing is read or written.
class SettingsFile {
  public:
    explicit SettingsFile(std::string path);

    const Settings& settings() const { return settings_; }
    // Writes the settings when they differ from the file's; says once when that fails.
    void save(const Settings& settings);

  private:
    std::string path_;
    Settings settings_;
    std::string written_; // the settings' text as read (or defaulted) or last written
    bool mayWrite_ = true;
    bool failed_ = false;
};
