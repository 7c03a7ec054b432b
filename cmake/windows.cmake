# Settings of the Windows build: one .exe per program, with the C and C++
# runtimes and winpthreads linked in (no DLL of ours beside it), Unicode
# Windows APIs, and Wine to run what the build and the tests start.
if(NOT WIN32)
  return()
endif()
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
# mingw's printf family follows the C standard rather than msvcrt's.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
# localtime_r and its kind, as on Linux.
add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS)
if(CMAKE_CROSSCOMPILING)
  # A prefix of the build's own, made on first use; no display is needed.
  find_program(BRIVO_WINE NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEPREFIX=${PROJECT_BINARY_DIR}/wine-prefix
                                    WINEDEBUG=-all --unset=DISPLAY --unset=WAYLAND_DISPLAY ${BRIVO_WINE})
endif()
