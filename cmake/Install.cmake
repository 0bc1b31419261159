# `cmake --install build [--prefix P]`: the executable in P/bin, the desktop program's module in
# P/lib/kestrel (where the installed kestrel looks for it: ../lib/kestrel from its own folder,
# see src/cli/GuiModule.cpp), the desktop entry and the icon in the places desktops search.
include(GNUInstallDirs)

install(TARGETS kestrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Not CMAKE_INSTALL_LIBDIR: kestrel finds its module by this fixed path beside bin.
install(TARGETS kestrel_gui_module LIBRARY DESTINATION lib/kestrel)

install(FILES ${PROJECT_SOURCE_DIR}/resources/kestrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/images/kestrel.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
foreach(_size 48x48 128x128)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/${_size}/kestrel.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}/apps)
endforeach()
