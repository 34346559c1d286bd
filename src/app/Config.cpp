#include "app/Config.h"

#include <cctype>
#include <climits>
#include <vector>

#include "io/DataFile.h"

namespace {

// The C library's atoi rules (white space, optional sign, digits up to the first non-digit),
// without its undefined behaviour on overflow: out-of-range values saturate.
long long atoiValue(const std::string& line) {
    size_t i = 0;
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    long long value = 0;
    for (; i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])); ++i) {
        value = value * 10 + (line[i] - '0');
        if (value > INT_MAX)
            value = static_cast<long long>(INT_MAX) + 1; // stays out of range
    }
    return negative ? -value : value;
}

std::vector<std::string> firstLines(const std::string& text, size_t count) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (lines.size() < count && start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

ConfigResult refuse(const std::string& message) {
    ConfigResult result;
    result.error = message;
    return result;
}

} // namespace

ConfigResult parseConfig(const std::string& text, const std::string& path) {
    const std::vector<std::string> lines = firstLines(text, 3);
    if (lines.size() < 3) {
        return refuse(path + ": has " + std::to_string(lines.size()) +
                      " lines, needs 3 (display mode, width, height)");
    }
    if (lines[0].empty())
        return refuse(path + ":1: the display mode line is empty");

    ConfigResult result;
    result.config.fullscreen = lines[0][0] == 'f' || lines[0][0] == 'F';
    const char* names[] = {"width", "height"};
    int* fields[] = {&result.config.width, &result.config.height};
    for (int k = 0; k < 2; ++k) {
        const long long value = atoiValue(lines[k + 1]);
        if (value <= 0 || value > INT_MAX) {
            return refuse(path + ":" + std::to_string(k + 2) + ": " + names[k] + " \"" +
                          lines[k + 1] + "\" is not a positive whole number");
        }
        *fields[k] = static_cast<int>(value);
    }
    result.ok = true;
    return result;
}

ConfigResult readConfig(const std::string& path) {
    // Only the first three lines count; a bounded read keeps a huge file from being slurped.
    const DataFile file = readDataFile(path, 64 * 1024, Oversize::KeepStart);
    if (!file.ok())
        return refuse(path + ": cannot be read (missing or not readable)");
    return parseConfig(file.bytes, path);
}
