# Fails when a source of the core layer includes a Qt header.
file(GLOB_RECURSE _files "${CORE_DIR}/*.h" "${CORE_DIR}/*.cpp")
foreach(_f IN LISTS _files)
  file(STRINGS "${_f}" _hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
  if(_hits)
    message(FATAL_ERROR "core file ${_f} includes Qt: ${_hits}")
  endif()
endforeach()
message(STATUS "core includes no Qt header")
