#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "support/Fixtures.h"

// The generated file `name` as committed under resources/.
inline std::string resourceFile(const std::string& name) { return sourcePath("resources/" + name); }

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
