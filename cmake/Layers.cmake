# The layers of the source tree and their include check, for the configure
# step (included with TAVRO_LAYER_ROOT set) and for the tests, which run it
# as a script on small trees:
#   cmake -DTAVRO_LAYER_ROOT=<tree> -P cmake/Layers.cmake
# It fails with a message naming the file and the line on a toolkit header
# in the core or on an include of a layer above the file's own, and sets
# SOURCES_<layer> to the sources of each layer (app/ and tools/ have their
# own targets).
cmake_minimum_required(VERSION 3.25)
if(CMAKE_SCRIPT_MODE_FILE)
  set(TAVRO_GLOB_DEPENDS "")
else()
  set(TAVRO_GLOB_DEPENDS CONFIGURE_DEPENDS)
endif()

# The layers, bottom first. Each folder of a layer may include its own layer
# and those below it, never one above; the core layers never include a
# toolkit header. The views (windows, dialogs, graphs and tables) register
# themselves in registries of their own; app/ is the one place that wires
# the program together. The configure step fails on either, and each layer's
# library links only what is below it.
set(LAYER_platform platform)
set(LAYER_model model)
set(LAYER_oillib oillib)
set(LAYER_document document)
set(LAYER_engines ui/common/rules ui/oils/rules ui/inputs/rules output/core)
set(LAYER_views platform/wx ui/common ui/oils ui/inputs output)
set(LAYER_app app tools)
set(CORE_LAYERS platform model oillib document engines)
set(GUI_LAYERS views app)
set(ALL_LAYERS ${CORE_LAYERS} ${GUI_LAYERS})

# Which layer a folder belongs to (the longest folder that matches).
function(tavro_layer_of path out)
  set(best "")
  set(best_len 0)
  foreach(layer ${ALL_LAYERS})
    foreach(dir ${LAYER_${layer}})
      string(LENGTH "${dir}" len)
      if((path STREQUAL dir OR path MATCHES "^${dir}/") AND len GREATER best_len)
        set(best ${layer})
        set(best_len ${len})
      endif()
    endforeach()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

set(layer_rank 0)
foreach(layer ${ALL_LAYERS})
  set(RANK_${layer} ${layer_rank})
  math(EXPR layer_rank "${layer_rank} + 1")
endforeach()

foreach(layer ${ALL_LAYERS})
  set(SOURCES_${layer} "")
  foreach(dir ${LAYER_${layer}})
    file(GLOB dir_sources ${TAVRO_GLOB_DEPENDS} ${TAVRO_LAYER_ROOT}/${dir}/*.cpp)
    file(GLOB dir_headers ${TAVRO_GLOB_DEPENDS} ${TAVRO_LAYER_ROOT}/${dir}/*.h)
    foreach(f ${dir_sources} ${dir_headers})
      if(NOT layer IN_LIST GUI_LAYERS)
        file(STRINGS ${f} wx_lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]wx/")
        if(wx_lines)
          message(FATAL_ERROR "Toolkit header included in the core: ${f}")
        endif()
      endif()
      file(STRINGS ${f} own_includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
      foreach(line ${own_includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)/[^/\"]+\".*$" "\\1" included_dir "${line}")
        tavro_layer_of("${included_dir}" included_layer)
        if(included_layer AND RANK_${included_layer} GREATER RANK_${layer})
          message(FATAL_ERROR "Upward include (${layer} -> ${included_layer}) in ${f}: ${line}")
        endif()
      endforeach()
    endforeach()
    if(NOT dir STREQUAL "app" AND NOT dir STREQUAL "tools")
      list(APPEND SOURCES_${layer} ${dir_sources})
    endif()
  endforeach()
endforeach()

