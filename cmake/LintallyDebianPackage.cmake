# The Debian package of the two programs, their manual pages, shell completions, desktop
# entry and icon: everything the install rules of app/ and cli/ place, under /usr.
# Built by `make package` (the package preset: no tests, no benchmarks).
# Included by the root CMakeLists.txt; does nothing in a cross build.
if(CMAKE_CROSSCOMPILING)
  return()
endif()

set(LINTALLY_PACKAGE_MAINTAINER "Lintally maintainers <maintainers@users.noreply.c-seed-97a9b013.example>"
  CACHE STRING "The Maintainer field of the Debian package")
set(LINTALLY_PACKAGE_HOMEPAGE "" CACHE STRING "The Homepage field of the Debian package (none when empty)")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lintally)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lintally")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fast, dependable source line counter")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT ${LINTALLY_PACKAGE_MAINTAINER})

# lintally_<version>_<arch>.deb, the name Debian's tools give a package file.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LINTALLY_PACKAGE_HOMEPAGE})
# Depends is computed from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
# The long description; CPack puts the summary above it and indents it as control files want.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Lintally counts the lines of code in a folder tree: code, comment and blank
lines by language, name suffix, folder or file.

lintally is a desktop dialog: choose the file types and a folder, calculate,
and save the result as a text report.

lintally-cli is its command line for scripts, CI and very large trees: many
threads, git-aware file selection, counts of git revisions, differences
between counts, history, and table, JSON, CSV, Markdown and HTML output.
Manual pages and bash, zsh and fish completions are included.")

include(CPack)
