# lintally_add_library(<name> SOURCES ... [DEPENDS ...])
# Declares the static library lintally_<name> with the alias Lintally::<name>.
# Headers sit beside their sources and are included as "<folder>/<Header>.h".
function(lintally_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(lintally_${name} STATIC ${ARG_SOURCES})
  add_library(Lintally::${name} ALIAS lintally_${name})
  target_include_directories(lintally_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ARG_DEPENDS)
    target_link_libraries(lintally_${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()
