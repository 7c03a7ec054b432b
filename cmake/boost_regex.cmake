# Boost.Regex for runtime's patterns, as the target brivo_boost_regex. On Linux
# it is Debian's library, linked in: its shared library brings ICU's (which
# patterns never use), and every library loaded at start costs the window
# program time before its first frame. For Windows it is built here from the
# sources of Debian's boost1.74 package (scripts/setup fetches them) against the
# headers that the Linux build uses, with the C++ locale's character traits that
# Linux uses (not the Win32 ones), so that a pattern means the same on each.
if(NOT WIN32)
  set(Boost_USE_STATIC_LIBS ON)
  find_package(Boost REQUIRED COMPONENTS regex)
  add_library(brivo_boost_regex INTERFACE)
  target_link_libraries(brivo_boost_regex INTERFACE Boost::regex)
  return()
endif()

set(BRIVO_BOOST_SOURCE_DIR /usr/local/src/brivo-windows/boost CACHE PATH
    "Boost sources (libs/regex/src) of the version whose headers are in /usr/include/boost")
file(GLOB boost_regex_sources ${BRIVO_BOOST_SOURCE_DIR}/libs/regex/src/*.cpp)
list(FILTER boost_regex_sources EXCLUDE REGEX "/icu\\.cpp$")
if(NOT boost_regex_sources)
  message(FATAL_ERROR "No Boost.Regex sources in ${BRIVO_BOOST_SOURCE_DIR}: run scripts/setup --windows")
endif()
# Boost's headers alone, never the rest of the host's /usr/include.
set(boost_include_root ${PROJECT_BINARY_DIR}/include_roots/boost)
file(MAKE_DIRECTORY ${boost_include_root})
file(CREATE_LINK /usr/include/boost ${boost_include_root}/boost SYMBOLIC)
add_library(brivo_boost_regex STATIC ${boost_regex_sources})
target_include_directories(brivo_boost_regex SYSTEM PUBLIC ${boost_include_root})
target_compile_definitions(brivo_boost_regex PUBLIC BOOST_REGEX_USE_CPP_LOCALE BOOST_ALL_NO_LIB)
# Not our code: its warnings are not ours to fix.
target_compile_options(brivo_boost_regex PRIVATE -w)
