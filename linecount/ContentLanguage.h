// The language of a file whose suffix several languages share, told by what its first bytes
// hold. Only the first kContentRuleBytes are looked at, line by line; a line's leading spaces
// and tabs and its trailing CR are not part of it. "Begins with WORD" means the line's first
// word is WORD (a byte other than a letter, digit or '_' follows it, or the line ends).
// The rules, tried in the order given; the first that holds decides:
//
//   .h    Objective-C: a line begins with @interface, @implementation, @protocol, @class,
//                      @property, @end, @import or #import.
//         C++:         a line begins with class NAME, namespace, template followed by '<',
//                      "using namespace", public:, private: or protected:, or
//                      #include <NAME> with no '.' in NAME (the C++ library's headers);
//                      or any line holds "std::".
//         C otherwise.
//   .m    Objective-C: as for .h, or a line begins with #include.
//         MATLAB:      a line begins with '%', function or classdef.
//         Objective-C otherwise.
//   .pl   Perl:        a "#!" first line naming perl, or a line begins with use, my, our,
//                      sub or package followed by a space.
//         Prolog:      a line not beginning with '#' holds ":-".
//         Perl otherwise.
//   .ts   XML:         the first text (after a UTF-8 byte order mark and blanks) begins with
//                      '<' and "<TS" appears: a Qt Linguist translation file.
//         TypeScript otherwise.
//   .v    Verilog:     a line begins with module, endmodule, or '`' (`timescale, `include).
//         Coq:         a line begins with Require, From, Theorem, Lemma, Proof., Qed.,
//                      Definition, Fixpoint, Inductive or Notation.
//         Verilog otherwise.
//   .inc  PHP:         a line begins with "<?php", "<?=" or the word "<?".
//         Pascal:      a line begins with "{$", or (in any case) with unit, uses, procedure,
//                      function, begin, "end;" or "end.".
//         C++:         a line begins with a preprocessor line (#include, #define, #if,
//                      #ifdef, #ifndef, #pragma), "//" or "/*", or a C++ rule of .h holds.
//         Assembly (Intel): a line begins with ';' or '%', or with section, segment or bits,
//                      or its second word is equ, db, dw, dd, dq, macro, proc or struc.
//         none otherwise: the wide table does not know the file.
//
// Pure functions over constant data; any thread may call them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace PrjHelper {

// How much of a file's start the rules look at.
inline constexpr std::size_t kContentRuleBytes = 4096;

// A suffix that several languages share, with the rules that tell them apart.
struct SharedSuffix;

// The shared suffix of fileName (its last path component, the suffix compared in lower case);
// null when its suffix is not one of those above.
[[nodiscard]] const SharedSuffix* FindSharedSuffix(std::string_view fileName);

// The wide language id the rules of suffix give a file whose first bytes are head (the whole
// file when shorter); 0 when none fits.
[[nodiscard]] std::int32_t WideLanguageOfHead(const SharedSuffix& suffix, std::string_view head);

}  // namespace PrjHelper
