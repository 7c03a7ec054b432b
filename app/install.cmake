# What `cmake --install` puts on a desktop: the programs, the desktop entry and
# the program icon in the hicolor theme (the pictures the assets program drew).
include(GNUInstallDirs)

install(TARGETS brivo brivo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/desktop/brivo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/images/program_icon_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME brivo.png)
endforeach()
