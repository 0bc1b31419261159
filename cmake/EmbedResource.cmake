# Turns a resource file into a C++ source holding its bytes.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P EmbedResource.cmake
# The source defines kestrel::SYMBOL (the bytes, NUL-terminated) and kestrel::SYMBOLSize.
file(READ "${INPUT}" _hex HEX)
string(LENGTH "${_hex}" _hexLength)
math(EXPR _size "${_hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _bytes "${_hex}")
# One line of the array per line of the resource, to keep the generated file readable.
string(REPLACE "0x0a," "0x0a,\n    " _bytes "${_bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include <cstddef>
namespace kestrel {
extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;
const unsigned char ${SYMBOL}[] = {
    ${_bytes}0x00};
const std::size_t ${SYMBOL}Size = ${_size};
}  // namespace kestrel
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
