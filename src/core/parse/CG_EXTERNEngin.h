#pragma once
// Reads one declaration after "CG_EXTERN"; exactly as after "APPKIT_EXTERN".
#include "core/parse/AppkitExternEngin.h"

namespace kestrel {

class CG_EXTERNEngin : public AppkitExternEngin {
public:
    using AppkitExternEngin::AppkitExternEngin;
};

}  // namespace kestrel
