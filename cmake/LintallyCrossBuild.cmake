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

# libgit2 has no MinGW package either: scripts/build-libgit2-mingw builds it once from
# Debian's source into a prefix kept under build/ (a later configure finds it done).
# zlib, which both libgit2 and gitsel use, is linked statically like the runtime.
set(ZLIB_USE_STATIC_LIBS ON)
set(LINTALLY_LIBGIT2_PREFIX ${PROJECT_SOURCE_DIR}/build/deps/libgit2-mingw
  CACHE PATH "libgit2 built for the cross build")
execute_process(
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/build-libgit2-mingw ${LINTALLY_LIBGIT2_PREFIX}
  RESULT_VARIABLE libgit2_build)
if(NOT libgit2_build EQUAL 0)
  message(FATAL_ERROR "libgit2 for the cross build could not be built (see above)")
endif()
find_package(ZLIB REQUIRED)
add_library(libgit2::libgit2 STATIC IMPORTED GLOBAL)
set_target_properties(libgit2::libgit2 PROPERTIES
  IMPORTED_LOCATION ${LINTALLY_LIBGIT2_PREFIX}/lib/libgit2.a
  INTERFACE_INCLUDE_DIRECTORIES ${LINTALLY_LIBGIT2_PREFIX}/include
  INTERFACE_LINK_LIBRARIES "ZLIB::ZLIB;ws2_32;secur32;rpcrt4;crypt32;ole32")
