#pragma once
// The design values: what the program's pages store for a configuration that was never
// shown on them (a fresh main window saving a template). A configuration built from text
// starts from this, so a field left out is what the program itself would have written.
#include "image/kvx_config.h"

namespace kvx {

TKVXConfig DesignConfig();

} // namespace kvx
