# Fails on any #include "…" that points up a layer: each folder may include its
# own files and those of the folders its row names, nothing else. A file belongs
# to the longest folder of the table its path starts with; so does an included
# path (one without a folder is the including file's own folder).
#   cmake -DROOT=<source folder> -P include_layers.cmake
cmake_minimum_required(VERSION 3.25)

# folder | folders it may include (lowest layers first)
set(layers
  "runtime|"
  "platform|"
  "platform/gfx|platform"
  "platform/window|platform,platform/gfx"
  "assets|"
  "razezazo/drawing|runtime,platform,platform/gfx"
  "razezazo/widgets|runtime,platform,platform/gfx,platform/window,razezazo/drawing"
  "razezazo/controls|runtime,platform,platform/gfx,platform/window,assets,razezazo/drawing,razezazo/widgets"
  "razezazo/core|runtime,platform,platform/gfx,platform/window,assets,razezazo/drawing,razezazo/widgets,razezazo/controls"
  "razezazo/popups|runtime,platform,platform/gfx,platform/window,assets,razezazo/drawing,razezazo/widgets,razezazo/controls,razezazo/core"
  "app|runtime"
  "app/cli|runtime,app"
  "app/gui|runtime,platform,platform/gfx,platform/window,assets,razezazo/drawing,razezazo/widgets,razezazo/controls,razezazo/core,razezazo/popups,app"
  "examples|runtime,platform,platform/gfx,platform/window,assets,razezazo/drawing,razezazo/widgets,razezazo/controls,razezazo/core,razezazo/popups"
  "tests|runtime,platform,platform/gfx,platform/window,assets,razezazo/drawing,razezazo/widgets,razezazo/controls,razezazo/core,razezazo/popups,app,app/cli,app/gui"
  "bench|runtime,platform,platform/gfx,platform/window,assets,razezazo/drawing,razezazo/widgets,razezazo/controls,razezazo/core,razezazo/popups,app,app/cli,app/gui,tests"
  "fuzz|runtime,platform,platform/gfx,platform/window,assets,razezazo/drawing,razezazo/widgets,razezazo/controls,razezazo/core,razezazo/popups,app,app/cli,app/gui,tests"
)

set(folders)
foreach(row IN LISTS layers)
  string(REGEX REPLACE "\\|.*" "" folder "${row}")
  string(REGEX REPLACE ".*\\|" "" allowed "${row}")
  string(REPLACE "," ";" allowed "${allowed}")
  list(APPEND folders ${folder})
  set(allowed_${folder} ${folder} ${allowed})
endforeach()

# The longest folder of the table that `path` lies in; empty when none.
function(folder_of path out)
  set(best "")
  foreach(folder IN LISTS folders)
    string(LENGTH "${folder}" length)
    string(LENGTH "${best}" best_length)
    if(path MATCHES "^${folder}/" AND length GREATER best_length)
      set(best ${folder})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

set(faults 0)
foreach(top runtime platform assets razezazo app examples tests bench fuzz)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${top}/*.h ${ROOT}/${top}/*.cpp ${ROOT}/${top}/*.cc ${ROOT}/${top}/*.in)
  foreach(source IN LISTS sources)
    folder_of(${source} own)
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
      if(NOT included MATCHES "/")
        continue()
      endif()
      folder_of(${included} target)
      if(target STREQUAL "")
        # A path below the file's own folder (a sub-folder's header).
        get_filename_component(dir ${source} DIRECTORY)
        folder_of(${dir}/${included} target)
      endif()
      if(NOT target IN_LIST allowed_${own})
        message("${source}: #include \"${included}\" points from ${own} up to ${target}")
        math(EXPR faults "${faults} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) point up a layer")
endif()
message("Every include points down a layer")
