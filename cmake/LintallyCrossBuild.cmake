# Workarounds a cross build needs because Debian packages the host's libraries only.
# Included by the root CMakeLists.txt; does nothing in a native build.
if(NOT CMAKE_CROSSCOMPILING)
  return()
endif()

# Header-only libraries reach the cross build through a small staging folder, never
# through the host's whole include folder.
set(LINTALLY_STAGING_INCLUDE ${CMAKE_BINARY_DIR}/staging/include)
foreach(header_dir CLI nlohmann)
  if(EXISTS /usr/include/${header_dir})
    file(COPY /usr/include/${header_dir} DESTINATION ${LINTALLY_STAGING_INCLUDE})
  endif()
endforeach()
include_directories(SYSTEM ${LINTALLY_STAGING_INCLUDE})
# Their package files point into the host's folders, so stand-ins name the same targets.
foreach(pkg nlohmann_json CLI11)
  file(WRITE ${CMAKE_BINARY_DIR}/staging/cmake/${pkg}/${pkg}Config.cmake
    "if(NOT TARGET ${pkg}::${pkg})\n  add_library(${pkg}::${pkg} INTERFACE IMPORTED)\nendif()\n")
  set(${pkg}_DIR ${CMAKE_BINARY_DIR}/staging/cmake/${pkg} CACHE PATH "" FORCE)
endforeach()
