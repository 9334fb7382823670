// How the result list shortens a name wider than its column: the middle goes, the start
// and the file name stay ("src/very/long/…/parser.cpp"), so the count beside it never has
// to move out of view. Each toolkit measures its own text; this decides what to keep.
//
// A pure function; any thread.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// name itself when fits(name); else as much of name's start as fits before ellipsis and the
// last separator with the file name after it; when even ellipsis, separator and file name do
// not fit, as much of both ends of name as fits around ellipsis (the end keeps the
// extension); ellipsis alone when nothing else fits. fits must not turn true again once
// its text has grown too long. Texts are UTF-8 and are cut only between characters.
[[nodiscard]] std::string ElideNameMiddle(std::string_view name, std::string_view ellipsis,
                                          const std::function<bool(std::string_view)>& fits);
