# Writes OUT, a C++ file defining lintally::cli::kBuildCommit: the commit of the source at
# SOURCE_DIR (12 hex digits), or "unknown" when it is not a git checkout. Run at every build;
# OUT is rewritten only when the commit changed, so nothing recompiles otherwise.
execute_process(
  COMMAND git -C "${SOURCE_DIR}" rev-parse --short=12 HEAD
  OUTPUT_VARIABLE commit
  OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE failed
  ERROR_QUIET)
if(failed OR NOT commit MATCHES "^[0-9a-f]+$")
  set(commit "unknown")
endif()
set(text "// Written by cmake/BuildCommit.cmake at build time.\n#include \"cli/BuildCommit.h\"\n\nnamespace lintally::cli {\n\nconst char* const kBuildCommit = \"${commit}\";\n\n}  // namespace lintally::cli\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
