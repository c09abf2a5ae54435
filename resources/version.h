// The program's version, in the one place that the version resource, the About box and
// the release archive's name take it from. Plain #defines, for the resource compiler.
#pragma once

#define PELLOMAR_VERSION_MAJOR 1
#define PELLOMAR_VERSION_MINOR 0
#define PELLOMAR_VERSION_TEXT "1.0"
// As the About box shows it.
#define PELLOMAR_VERSION_LABEL "v1.0"
