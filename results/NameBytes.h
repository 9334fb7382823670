// The exact bytes of a file's name beside its JSON text. JSON holds text only, so a name that
// is not valid UTF-8 is written readable but changed (each stray byte becomes U+FFFD); such a
// row also gets "name_bytes", the name's bytes in lowercase hex, two digits a byte, and a
// reader takes the name from there. Names that are text get no such field.
//
// Pure functions; any thread may call them.
#pragma once

#include <string>
#include <string_view>

namespace lintally::results {

inline constexpr std::string_view kNameBytesKey = "name_bytes";

// name's bytes in lowercase hex when its text (made valid UTF-8) does not give them back;
// empty when it does.
[[nodiscard]] std::string NameBytesHex(std::string_view name);

// Appends `, "name_bytes": "..."` to out when name's JSON text does not give back its bytes.
void AppendNameBytes(std::string& out, std::string_view name);

// The bytes hex spells (an even number of hex digits, either case); false when it spells none.
[[nodiscard]] bool BytesFromHex(std::string_view hex, std::string& bytes);

}  // namespace lintally::results
