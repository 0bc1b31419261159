# Installs the build into a fresh prefix and runs the installed kestrel from another folder, as a
# user who ran `cmake --install build --prefix P` would: it must find its desktop program's
# module there (drawing a picture loads it), and the desktop must find the entry and the icons.
# -DBUILD_DIR=the build folder -DWORK_DIR=a scratch folder -DFRAMEWORKS_ROOT=frameworks to read
set(_prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/home ${WORK_DIR}/elsewhere)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${_prefix}
  RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${_rc}):\n${_out}")
endif()

foreach(_file bin/kestrel lib/kestrel/kestrel-gui.so share/applications/kestrel.desktop)
  if(NOT EXISTS ${_prefix}/${_file})
    message(FATAL_ERROR "the installation has no ${_file}")
  endif()
endforeach()
if(EXISTS ${_prefix}/bin/kestrel-gui.so)
  message(FATAL_ERROR "the module was installed beside kestrel too: the lib/kestrel copy is not exercised")
endif()

# Each icon is the size its folder says: a desktop shows a wrong-sized icon blurred or not at all.
set(_sizes 48 128 256)
set(_hex_sizes 00000030 00000080 00000100)  # as the PNG header writes them
foreach(_size _hex IN ZIP_LISTS _sizes _hex_sizes)
  set(_icon ${_prefix}/share/icons/hicolor/${_size}x${_size}/apps/kestrel.png)
  if(NOT EXISTS ${_icon})
    message(FATAL_ERROR "the installation has no ${_size}x${_size} icon")
  endif()
  file(READ ${_icon} _head LIMIT 24 HEX)
  string(SUBSTRING "${_head}" 32 16 _dims)  # IHDR: width and height
  if(NOT _dims STREQUAL "${_hex}${_hex}")
    message(FATAL_ERROR "${_icon} is not ${_size}x${_size} (IHDR ${_dims})")
  endif()
endforeach()

find_program(_validate desktop-file-validate)
if(_validate)
  execute_process(COMMAND ${_validate} ${_prefix}/share/applications/kestrel.desktop
    RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
  if(NOT _rc EQUAL 0 OR NOT _out STREQUAL "")
    message(FATAL_ERROR "the desktop entry is not valid:\n${_out}")
  endif()
endif()

# From another folder, with a fresh home: the terminal commands, then a picture, which needs
# the module.
set(_env env -u DISPLAY -u WAYLAND_DISPLAY -u KESTREL_FRAMEWORKS_ROOT HOME=${WORK_DIR}/home
    XDG_CONFIG_HOME=${WORK_DIR}/home/.config)
execute_process(COMMAND ${_env} ${_prefix}/bin/kestrel --help WORKING_DIRECTORY ${WORK_DIR}/elsewhere
  RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "installed kestrel --help failed (${_rc}):\n${_out}")
endif()
execute_process(COMMAND ${_env} ${_prefix}/bin/kestrel tree --png ${WORK_DIR}/tree.png --frameworks-root ${FRAMEWORKS_ROOT}
  WORKING_DIRECTORY ${WORK_DIR}/elsewhere RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "installed kestrel tree --png failed (${_rc}):\n${_out}")
endif()
file(READ ${WORK_DIR}/tree.png _head LIMIT 4 HEX)
if(NOT _head STREQUAL "89504e47")
  message(FATAL_ERROR "installed kestrel tree --png wrote no PNG")
endif()

file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "installed kestrel runs and finds its module")
