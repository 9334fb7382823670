// What both front ends start with: the file-type lists and root folders the dialog offers
// in its two boxes (in the order shown; the first type list is picked at start), where the
// dialog's destination starts, and the three counting options as the dialog opens. The
// command line takes the same defaults, so a tree counted by either without further
// choices gives the same rows.
//
// Constants; usable from any thread.
#pragma once

#include <array>
#include <string_view>

namespace lintally::scan {

inline constexpr std::array<std::string_view, 14> kFileTypePresets = {
    "*.c,*.cc,*.c++,*.cpp,*.h,*.hh,*.h++,*.hpp,*.cxx,*.hxx,*.inc,*.inl,*.asm,*.pas,*.frm,*.bas,"
    "*.php,*.php3,*.php4,*.asp,*.aspx,*.jsp,*.pl,*.cs,*.java",
    "*.c,*.cc,*.c++,*.cpp,*.h,*.h++,*.hh,*.inl,*.inc,*.cxx,*.hxx,*.hpp,*.asm",
    "*.c,*.cc,*.c++,*.cpp,*.h,*.h++,*.hh,*.inl,*.inc,*.cxx,*.hxx,*.hpp",
    "*.cpp,*.cc,*.c,*.cxx",
    "*.hxx,*.hpp,*.h,*.hh,*.inl,*.inc",
    "*.frm,*.bas",
    "*.pas",
    "*.php,*.php3,*.php4",
    "*.asp,*.aspx",
    "*.jsp",
    "*.pl",
    "*.cs",
    "*.java",
    "*.*",
};

inline constexpr std::array<std::string_view, 3> kDestinationPresets = {
    "D:\\lib_main",
    "E:\\lib_main",
    "N:\\lib_main",
};

// The destination presets name Windows drives. Elsewhere they can never exist, so the
// dialog starts in the folder it was started in (the home folder when a desktop menu
// starts it), where Calculate can be pressed at once.
enum class StartDestination
{
    FirstPreset,
    WorkingFolder,
};

#ifdef _WIN32
inline constexpr StartDestination kStartDestination = StartDestination::FirstPreset;
#else
inline constexpr StartDestination kStartDestination = StartDestination::WorkingFolder;
#endif

struct StartupOptions
{
    bool includeSubFolders;  // "Include sub-folders."
    bool includeRemed;       // "Include remed line."
    bool excludeBlank;       // "Exclude blank line(s)."
};

inline constexpr StartupOptions kStartupOptions{true, true, false};

}  // namespace lintally::scan
