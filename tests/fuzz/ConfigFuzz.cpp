// parseConfig on arbitrary bytes: it must refuse or accept without undefined behaviour, and
// what it accepts must be a usable window size; a refusal is one line naming the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/Config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ConfigResult result = parseConfig(text, "fuzz/config");
    if (result.ok && (result.config.width <= 0 || result.config.height <= 0))
        std::abort();
    if (!result.ok && result.error.rfind("fuzz/config", 0) != 0)
        std::abort();
    return 0;
}
