#include "linecount/WideLanguages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace PrjHelper;

namespace {

bool WellFormed(std::string_view marker)
{
    return marker.size() <= kWideMarkerMax &&
           marker.find_first_of(" \t\r\n") == std::string_view::npos;
}

std::int32_t Named(const char* name)
{
    return kWideLanguageBase + WideLanguageIndex(name);
}

}  // namespace

TEST(WideLanguages, TableShape)
{
    EXPECT_GE(kWideLanguageCount, 100);
    std::set<std::string> names;
    for (std::int32_t i = 0; i < kWideLanguageCount; ++i) {
        const WideLanguage& language = kWideLanguages[i];
        SCOPED_TRACE(language.name);
        EXPECT_TRUE(names.insert(language.name).second) << "named twice";
        if (i > 0) {
            std::string before = kWideLanguages[i - 1].name, now = language.name;
            for (std::string* s : {&before, &now})
                for (char& c : *s)
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_LT(before, now) << "languages are sorted by name";
        }
        // Coq and MATLAB share their suffixes (.v, .m) and are known by content only.
        const bool byContent =
            language.name == std::string("Coq") || language.name == std::string("MATLAB");
        EXPECT_TRUE(*language.suffixes != '\0' || *language.fileNames != '\0' || byContent)
            << "reached by no name";
        for (const char* single : language.single)
            EXPECT_TRUE(single == nullptr || (*single != '\0' && WellFormed(single)));
        for (const BlockMarkers& pair :
             {language.blocks[0], language.blocks[1], language.columnBlock}) {
            EXPECT_EQ(pair.open == nullptr, pair.close == nullptr) << "a pair is whole or absent";
            if (pair.open != nullptr) {
                EXPECT_TRUE(*pair.open != '\0' && *pair.close != '\0' && WellFormed(pair.open) &&
                            WellFormed(pair.close));
            }
        }
        EXPECT_EQ(std::string(language.quotes).find_first_of(language.spanQuotes),
                  std::string::npos)
            << "a quote byte either ends at the line's end or spans lines";
    }
    const auto sortedOnce = [](const auto& rows) {
        for (std::size_t i = 1; i < rows.size(); ++i)
            EXPECT_LT(rows[i - 1].key, rows[i].key) << "named twice: " << rows[i].key;
    };
    sortedOnce(kWideSuffixRows);
    sortedOnce(kWideFileNameRows);
    for (const WideNameRow& row : kWideSuffixRows)
        EXPECT_TRUE(row.key.size() <= kWideSuffixMax &&
                    row.key.find_first_of(". ") == std::string_view::npos)
            << row.key;
    for (const InterpreterRow& row : kInterpreters)
        EXPECT_LT(WideLanguageIndex(row.language), kWideLanguageCount) << row.language;
}

TEST(WideLanguages, EverySuffixAndFileNameOfTheTableIsFound)
{
    for (const WideNameRow& row : kWideSuffixRows)
        EXPECT_EQ(WideLanguageOfName("x." + std::string(row.key)), kWideLanguageBase + row.language)
            << row.key;
    for (const WideNameRow& row : kWideFileNameRows)
        EXPECT_EQ(WideLanguageOfName(row.key), kWideLanguageBase + row.language) << row.key;
}

TEST(WideLanguages, FileNamesLeadToLanguages)
{
    const struct
    {
        const char* name;
        const char* language;  // null: not known
    } kCases[] = {
        {"main.c", "C"},
        {"src/a.b/UTIL.CPP", "C++"},
        {"x.h", "C/C++ Header"},
        {"jquery.min.js", "JavaScript"},
        {"types.d.ts", "TypeScript"},
        {"lib.rs", "Rust"},
        {"Makefile", "make"},
        {"sub/CMakeLists.txt", "CMake"},
        {"meson.build", "Meson"},
        {"Dockerfile", "Dockerfile"},
        {"notes.txt", nullptr},
        {"README", nullptr},
        {".bash", nullptr},
        {"trailing.", nullptr},
        {"makefile.bak", nullptr},
        {"a.verylongsuffix", nullptr},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(WideLanguageOfName(c.name), c.language == nullptr ? 0 : Named(c.language))
            << c.name;
    }
}

TEST(WideLanguages, ShebangLinesName)
{
    const struct
    {
        const char* line;
        const char* language;
    } kCases[] = {
        {"#!/bin/sh", "Shell"},
        {"#! /bin/bash -e\r", "Shell"},
        {"#!/usr/bin/env python3", "Python"},
        {"#!/usr/bin/python3.11 -u", "Python"},
        {"#!/usr/bin/env -S perl -w", "Perl"},
        {"#!/usr/bin/env -u HOME LANG=C node", "JavaScript"},
        {"#!/usr/bin/ruby", "Ruby"},
        {"#!/usr/bin/env", nullptr},
        {"#!/usr/bin/frobnicate", nullptr},
        {"# /bin/sh", nullptr},
        {"", nullptr},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(WideLanguageOfShebang(c.line), c.language == nullptr ? 0 : Named(c.language))
            << c.line;
    }
}

TEST(WideLanguages, EveryLanguageNameLeadsBackToItsId)
{
    for (std::int32_t id = 0; id < kLanguageCount; ++id) {
        const std::string name = GetAnyLanguageName(id);
        EXPECT_EQ(GetAnyLanguageName(AnyLanguageIdOf(name, false)), name) << id;
    }
    for (std::int32_t id = kWideLanguageBase; id < kWideLanguageBase + kWideLanguageCount; ++id) {
        EXPECT_EQ(AnyLanguageIdOf(GetAnyLanguageName(id), true), id) << GetAnyLanguageName(id);
    }
    EXPECT_EQ(AnyLanguageIdOf("No Such Language", true), -1);
    EXPECT_EQ(AnyLanguageIdOf("No Such Language", false), -1);
}
