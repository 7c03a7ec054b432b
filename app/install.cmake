# What `cmake --install` puts on a desktop: the programs, their manual pages,
# brivo-cli's shell completion, the desktop entry with its AppStream metadata and
# the program icon in the hicolor theme (the pictures the assets program drew).
# The desktop entry and the metadata are named by brivo's reverse-DNS id.
include(GNUInstallDirs)
set(BRIVO_APP_ID io.github.brivo.Brivo)

install(TARGETS brivo brivo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual pages and the metadata carry the release of debian/changelog.
foreach(page brivo.1 brivo-cli.1)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page}.in ${CMAKE_CURRENT_BINARY_DIR}/man/${page} @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/desktop/${BRIVO_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/desktop/${BRIVO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/desktop/${BRIVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/completion/brivo-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME brivo-cli)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/desktop/${BRIVO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/images/program_icon_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME brivo.png)
endforeach()
