#pragma once

#include <QString>
#include <optional>

namespace vantrels::testing {

// Registers, once per process, a face named "Restricted Mono": Liberation Mono's glyphs with a
// character map that leaves out `missing`, so that those characters must come from a fallback
// face. Returns the family name, or nullopt when Liberation Mono is not installed.
std::optional<QString> RegisterRestrictedMono(const QString& missing);

}  // namespace vantrels::testing
