# The downloader tool that the Windows programs hold (downloader_tool_win32.cpp
# writes it out): rtmpdump.exe cross-built from the sources of Debian's
# rtmpdump package (scripts/setup fetches them), without crypto (the site's
# streams need none), linked statically. Its licence text and a record of its
# source go beside the programs.
file(GLOB rtmpdump_sources LIST_DIRECTORIES true /usr/local/src/brivo-windows/rtmpdump-*)
set(BRIVO_RTMPDUMP_SOURCE_DIR "${rtmpdump_sources}" CACHE PATH "Sources of Debian's rtmpdump package")
if(NOT EXISTS ${BRIVO_RTMPDUMP_SOURCE_DIR}/rtmpdump.c)
  message(FATAL_ERROR "No rtmpdump sources in '${BRIVO_RTMPDUMP_SOURCE_DIR}': run scripts/setup --windows")
endif()

set(rtmpdump_build ${CMAKE_CURRENT_BINARY_DIR}/rtmpdump)
set(rtmpdump_exe ${rtmpdump_build}/rtmpdump.exe)
string(REGEX REPLACE "-gcc-posix$" "-" mingw_prefix "${CMAKE_C_COMPILER}")
add_custom_command(
  OUTPUT ${rtmpdump_exe}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${rtmpdump_build}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${BRIVO_RTMPDUMP_SOURCE_DIR} ${rtmpdump_build}
  COMMAND make -C ${rtmpdump_build} --no-print-directory -s SYS=mingw CRYPTO= SHARED= CROSS_COMPILE=${mingw_prefix}
          XCFLAGS=-w XLDFLAGS=-static rtmpdump
  COMMENT "Building rtmpdump.exe from Debian's sources"
  VERBATIM)

get_filename_component(rtmpdump_source_name ${BRIVO_RTMPDUMP_SOURCE_DIR} NAME)
set(tool_files ${PROJECT_BINARY_DIR}/app/rtmpdump-COPYING.txt ${PROJECT_BINARY_DIR}/app/rtmpdump-SOURCE.txt)
add_custom_command(
  OUTPUT ${tool_files}
  COMMAND ${CMAKE_COMMAND} -E copy ${BRIVO_RTMPDUMP_SOURCE_DIR}/COPYING ${PROJECT_BINARY_DIR}/app/rtmpdump-COPYING.txt
  COMMAND ${CMAKE_COMMAND} -E echo "The downloader tool these programs hold is rtmpdump.exe, built without crypto from the sources of Debian 12's rtmpdump package (apt-get source rtmpdump): ${rtmpdump_source_name}. It is free software under the GNU GPL version 2 (rtmpdump-COPYING.txt); its sources are Debian's, at https://sources.debian.org/src/rtmpdump/." > ${PROJECT_BINARY_DIR}/app/rtmpdump-SOURCE.txt
  DEPENDS ${BRIVO_RTMPDUMP_SOURCE_DIR}/COPYING
  VERBATIM)
add_custom_target(downloader_tool DEPENDS ${rtmpdump_exe} ${tool_files})

set(tool_rc ${CMAKE_CURRENT_BINARY_DIR}/generated/downloader_tool.rc)
file(CONFIGURE OUTPUT ${tool_rc} CONTENT "DOWNLOADER_TOOL RCDATA \"${rtmpdump_exe}\"\n")
set_source_files_properties(${tool_rc} PROPERTIES OBJECT_DEPENDS ${rtmpdump_exe})
foreach(program brivo-cli brivo)
  target_sources(${program} PRIVATE ${tool_rc})
  add_dependencies(${program} downloader_tool)
endforeach()
