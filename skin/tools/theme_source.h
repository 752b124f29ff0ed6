#pragma once

#include <filesystem>
#include <string>

namespace tieba::skinpack {

// The skin document that a theme file describes. A theme names its family and sets the colours
// that the family's style sheet and the shared header template use:
//
//   # a comment
//   name: 青花
//   family: porcelain
//   window: #eef2f8
//   ...
//   ---
//   QStatusBar { font-weight: bold; }     (optional: style rules of this theme alone)
//
// "${window}" in header.in, families/<family>.qss and the theme's own rules becomes the theme's
// value; a name the theme does not set stops the build. Style sheet comments are left out.
// Throws std::runtime_error naming the file and the fault.
std::string skinDocumentOfTheme(const std::filesystem::path& themeFile);

} // namespace tieba::skinpack
