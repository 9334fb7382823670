#include "linecount/WideSyntaxes.h"

#include <vector>

namespace PrjHelper {

namespace {

constexpr WideLanguage kNoSyntax{.name = "Other"};

}  // namespace

const WideSyntax& WideSyntaxOf(std::int32_t lang)
{
    static const std::vector<WideSyntax> kSyntaxes = [] {
        std::vector<WideSyntax> syntaxes;
        syntaxes.reserve(kWideLanguageCount + 1);
        syntaxes.emplace_back(kNoSyntax);
        for (const WideLanguage& language : kWideLanguages)
            syntaxes.emplace_back(language);
        return syntaxes;
    }();
    return kSyntaxes[IsWideLanguage(lang) ? static_cast<std::size_t>(lang - kWideLanguageBase) + 1
                                          : 0];
}

}  // namespace PrjHelper
