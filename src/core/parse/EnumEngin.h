#pragma once
// Reads one enum declaration after the word "enum" and makes an EnumData of it. Unlike a struct
// body, the enumerators are joined on one row and directives inside the body are evaluated:
//
//   typedef enum {            structIndex "{\n    A = 0, B = 1\n}", name "Foo"
//       A = 0,
//   #ifdef SOMETHING_UNSET
//       HIDDEN = 5,
//   #endif
//       B = 1
//   } Foo;
#include "core/parse/StructEngin.h"

namespace kestrel {

class EnumEngin : public StructEngin {
public:
    using StructEngin::StructEngin;

    std::optional<std::string> analyseStructPart() override;

protected:
    std::shared_ptr<StructEnumData> newRecord() const override;
};

}  // namespace kestrel
