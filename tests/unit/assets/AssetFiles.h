#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "support/Fixtures.h"

// The generated file `name` as committed under resources/.
inline std::string resourceFile(const std::string& name) { return sourcePath("resources/" + name); }

inline std::string readResource(const std::string& name) {
    std::ostringstream bytes;
    bytes << std::ifstream(resourceFile(name), std::ios::binary).rdbuf();
    return bytes.str();
}
