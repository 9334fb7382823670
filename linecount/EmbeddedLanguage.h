// Which wide language a piece of code inside another file is written in: the word of a
// Markdown fence's info string, or the lang and type attributes of an HTML, Vue or Svelte tag.
//
// Pure functions over constant tables; any thread may call them.
#pragma once

#include <cstdint>
#include <string_view>

namespace PrjHelper {

// The wide id named by a fence's or lang attribute's word (any case): an alias of ours ("bash",
// "golang", "c#"), a language's name ("rust", "c++"), or a name suffix ("rs", "py"); 0 for
// none.
[[nodiscard]] std::int32_t CodeLanguageOfWord(std::string_view word);

// The language of a <script> from its lang and type attribute values (empty when absent):
// lang names it as a fence's word does; without lang, no type, "module" and the JavaScript
// MIME types are JavaScript, the TypeScript ones TypeScript, JSON and import maps JSON. 0 for
// any other type (a template or data the page does not run): its lines stay the host's.
[[nodiscard]] std::int32_t ScriptLanguage(std::string_view lang, std::string_view type);

// The language of a <style>: lang as a fence's word ("scss", "less"), CSS without it.
[[nodiscard]] std::int32_t StyleLanguage(std::string_view lang);

}  // namespace PrjHelper
