#pragma once
// A platform header that includes only its own layer: the layer check passes it.
#include "core/platform/Host.h"
