#pragma once
// A model header that reaches up into the parser: the layer check must name it.
#include "core/model/TreeData.h"
#include "core/parse/TextBuffer.h"
