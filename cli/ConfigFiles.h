// The settings files a count reads its defaults from: the user's (see UserConfigPath in
// System.h) and the project's .lintally.toml, looked for upward from ROOT as git looks for
// its work tree. Each is read whole, bounded in size, as TOML (see fileio/TomlReader.h).
//
// Functions of the file system's state; used by main's thread only.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "fileio/TomlReader.h"

namespace lintally::cli {

// The project's settings file's name.
inline constexpr const char* kProjectConfigName = ".lintally.toml";
// A settings file larger than this is refused: it is not one.
inline constexpr std::size_t kMaxConfigBytes = 256 * 1024;

// Where the settings files are looked for; empty user: not at all, project false: no lookup
// upward from ROOT.
struct ConfigPlaces
{
    std::string user;
    bool project = true;
};

// .lintally.toml in root's folder (root itself when it is a folder) or the nearest folder
// above it that holds one, looking no higher than the top of the git work tree the folder lies
// in (the first folder on the way that holds .git) or, outside one, the file system's root.
// Empty when there is none.
[[nodiscard]] std::string FindProjectConfig(const std::string& root);

// The entries of the settings file at path; true with none when there is no file there. False
// with error set to one line: "PATH:LINE: what is wrong" for a fault in the text, "PATH: ..."
// when it cannot be read or is larger than kMaxConfigBytes.
[[nodiscard]] bool ReadConfigFile(const std::string& path, std::vector<Brim::TomlEntry>& entries,
                                  std::string& error);

}  // namespace lintally::cli
