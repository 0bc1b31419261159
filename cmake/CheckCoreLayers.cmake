# Fails when a source of the core includes a header of a layer above its own.
#   cmake -DCORE_DIR=<src/core> -DLAYERS=platform,model,parse,app [-DSTAMP=<file>] -P CheckCoreLayers.cmake
# LAYERS lists the folders of CORE_DIR lowest first; each may include its own headers and those
# of the layers below it. A folder of CORE_DIR that is no layer fails too, so that a new one
# gets its place. STAMP, when given, is touched once everything is in order.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" _layers "${LAYERS}")
if(NOT IS_DIRECTORY "${CORE_DIR}" OR NOT _layers)
  message(FATAL_ERROR "CheckCoreLayers: give -DCORE_DIR=<folder> and -DLAYERS=<lowest,...,highest>")
endif()

set(_problems "")
file(GLOB _entries LIST_DIRECTORIES true RELATIVE "${CORE_DIR}" "${CORE_DIR}/*")
foreach(_entry IN LISTS _entries)
  if(NOT _entry IN_LIST _layers)
    string(APPEND _problems "\n  ${_entry}: no layer of the core (known: ${LAYERS})")
  endif()
endforeach()

set(_above ${_layers})
foreach(_layer IN LISTS _layers)
  list(REMOVE_AT _above 0)
  if(NOT _above)
    break()
  endif()
  list(JOIN _above "|" _pattern)
  file(GLOB_RECURSE _files "${CORE_DIR}/${_layer}/*")
  foreach(_file IN LISTS _files)
    file(STRINGS "${_file}" _hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]core/(${_pattern})/")
    foreach(_hit IN LISTS _hits)
      file(RELATIVE_PATH _name "${CORE_DIR}" "${_file}")
      string(STRIP "${_hit}" _hit)
      string(APPEND _problems "\n  ${_name} includes a layer above ${_layer}: ${_hit}")
    endforeach()
  endforeach()
endforeach()

if(_problems)
  message(FATAL_ERROR "The core's includes must run downward (${LAYERS}):${_problems}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
