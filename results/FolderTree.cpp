#include "results/FolderTree.h"

#include <algorithm>
#include <map>
#include <memory>

#include "fileio/PathSeparator.h"

namespace lintally::results {

namespace {

// A folder while rows are added: its sums and its sub-folders by name.
struct Growing
{
    std::uint64_t code = 0;
    std::uint64_t files = 0;
    std::map<std::string, std::unique_ptr<Growing>, std::less<>> children;

    Growing& Child(std::string_view name)
    {
        auto at = children.find(name);
        if (at == children.end()) {
            at = children.emplace(std::string(name), std::make_unique<Growing>()).first;
        }
        return *at->second;
    }
};

void AddRow(Growing& root, std::string_view name, std::uint64_t code, unsigned levels)
{
    Growing* folder = &root;
    folder->code += code;
    ++folder->files;
    std::size_t start = 0;
    for (unsigned level = 0; level < levels; ++level) {
        std::size_t end = start;
        while (end < name.size() && !Brim::IsPathSeparator(name[end])) {
            ++end;
        }
        // The last part is the file's own name: the file lies in folder itself.
        const bool inFolder = end >= name.size();
        folder = &folder->Child(inFolder ? std::string_view(".") : name.substr(start, end - start));
        folder->code += code;
        ++folder->files;
        if (inFolder) {
            return;
        }
        start = end + 1;
    }
}

FolderNode Finish(std::string name, Growing& grown, std::size_t width)
{
    FolderNode node{std::move(name), grown.code, grown.files, {}};
    // A folder whose files all lie in it directly needs no "." box of its own.
    if (grown.children.size() == 1 && grown.children.begin()->first == ".") {
        return node;
    }
    std::vector<FolderNode> children;
    for (auto& [childName, child] : grown.children) {
        if (child->code > 0) {
            children.push_back(Finish(childName, *child, width));
        }
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const FolderNode& a, const FolderNode& b) { return a.code > b.code; });
    if (width > 0 && children.size() > width) {
        FolderNode rest;
        for (std::size_t i = width - 1; i < children.size(); ++i) {
            rest.code += children[i].code;
            rest.files += children[i].files;
        }
        rest.name = std::to_string(children.size() - (width - 1)) + " more";
        children.resize(width - 1);
        children.push_back(std::move(rest));
    }
    node.children = std::move(children);
    return node;
}

}  // namespace

FolderNode BuildFolderTree(const scan::RowList& rows, unsigned levels, std::size_t width)
{
    Growing root;
    for (const scan::RowView row : rows) {
        AddRow(root, row.name, row.kinds.code, levels);
    }
    return Finish(".", root, width);
}

}  // namespace lintally::results
