#include "linecount/BranchCount.h"

#include <gtest/gtest.h>

#include <string>

#include "linecount/WideLanguages.h"
#include "linecount/WideSyntaxes.h"

using namespace PrjHelper;

namespace {

// The branch tokens of text's lines, each line taken as code.
std::uint32_t Branches(const char* fileName, const std::string& text, bool trackBlocks = true)
{
    const std::int32_t lang = WideLanguageOfName(fileName);
    BranchCounter counter(WideSyntaxOf(lang), BranchFamilyOf(lang), trackBlocks);
    std::uint32_t count = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lf = std::min(text.find('\n', at), text.size());
        count += counter.Line(std::string_view(text).substr(at, lf - at), true);
        at = lf + 1;
    }
    return count;
}

}  // namespace

TEST(BranchCounter, CountsBranchTokensInCodeOnly)
{
    const struct
    {
        const char* name;
        const char* text;
        std::uint32_t branches;
    } kCases[] = {
        {"a.c", "if (a && b) x = c ? 1 : 2; else if (d || e) {}", 5},
        {"a.c", "for (;;) while (x) switch (y) { case 1: case 2: default: }", 4},
        {"a.c", "s = \"if && ||\"; c = '?'; // if while", 0},
        {"a.c", "/* if\n while */ for", 1},
        {"a.c", "s = \"a\\\" if\"; if", 1},
        {"a.c", "iffy(); elseif; _if; if2;", 0},
        {"a.ts", "a?.b ?? c; function f(x?: T) {} try {} catch (e) {}", 1},
        {"a.js", "x = `if ${y}` && z", 1},
        {"a.rs", "let c = '\"'; if a { x? }", 1},
        {"a.rs", "/* /* if */ if */ if", 1},
        {"a.go", "if a && b { x := c[0] }", 2},
        {"a.py", "\"\"\"if\nwhile\"\"\"\nif a and b: pass\nelif c or d: pass  # if", 4},
        {"a.py", "x = 1 if c else 2\ntry: pass\nexcept E: pass", 2},
        {"a.rb", "unless a || b then end\nx = 1 if y # if", 3},
        {"a.sh", "if [ -f x ] && echo '#if'; then :; fi # if\necho $# || true", 3},
        {"a.lua", "if a and b then x() elseif c or d then end -- if", 4},
        {"a.md", "if a && b", 0},
    };
    for (const auto& [name, text, branches] : kCases) {
        EXPECT_EQ(Branches(name, text), branches) << name << ": " << text;
    }
}

TEST(BranchCounter, LinesThatAreNotCodeCountNothingButCarryTheirState)
{
    const std::int32_t lang = WideLanguageOfName("a.c");
    BranchCounter counter(WideSyntaxOf(lang), BranchFamilyOf(lang), true);
    EXPECT_EQ(counter.Line("if (a) /* if", false), 0u);
    EXPECT_EQ(counter.Line("while */ if (b)", true), 1u);
    // Judged alone, each line starts in code.
    EXPECT_EQ(Branches("a.c", "/* if\nwhile */ for", false), 2u);
}
