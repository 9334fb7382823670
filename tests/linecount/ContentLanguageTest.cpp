#include "linecount/ContentLanguage.h"

#include <gtest/gtest.h>

#include <string>

#include "linecount/WideLanguages.h"

using namespace PrjHelper;

TEST(ContentLanguage, SharedSuffixesAreToldApartByTheirFirstLines)
{
    const struct
    {
        const char* name;
        std::string head;
        const char* language;  // null: none fits
    } kCases[] = {
        {"a.h", "#import <Foundation/Foundation.h>\n", "Objective-C"},
        {"a.h", "/* x */\n  @interface Foo : NSObject\n@end\n", "Objective-C"},
        {"a.h", "namespace n {}\n@interface Foo\n@end\n", "Objective-C"},
        {"a.h", "#pragma once\n#include <vector>\n", "C++"},
        {"a.h", "#include <stdio.h>\nnamespace {\n", "C++"},
        {"a.h", "template <typename T>\nT f();\n", "C++"},
        {"a.h", "template<class T> struct S;\n", "C++"},
        {"a.h", "class Widget;\n", "C++"},
        {"a.h", "using namespace std;\n", "C++"},
        {"a.h", "int f(std::size_t n);\r\n", "C++"},
        {"a.h", "struct s {\n  public:\n};\n", "C++"},
        {"a.h", "#include <stdio.h>\n/* a classic header */\nint classify(void);\n", "C"},
        {"a.h", "", "C"},
        {"a.h", "#ifndef A_H\n#if 1\n#define A\n#\n#endif\n", "C"},
        {"a.h", "#  include <map>\n", "C++"},
        {"a.h", "#\tinclude <map>\n", "C++"},
        {"a.h", "#includes <map>\n#imports <x>\n", "C"},
        {"a.h", "class A;\n#import <x>\n", "Objective-C"},
        {"a.h", "class A;\nchar at = '@';\n", "C++"},
        {"a.h", std::string(100, 'x') + "\n\t  " + std::string(70, ' ') + "namespace n {\n", "C++"},
        {"a.h", "int f(void);\n" + std::string(kContentRuleBytes, '\n') + "class A;\n", "C"},
        {"A.M", "#import \"A.h\"\n@implementation A\n@end\n", "Objective-C"},
        {"a.m", "#include <stdio.h>\n", "Objective-C"},
        {"a.m", "% compute\nfunction y = f(x)\n", "MATLAB"},
        {"a.m", "classdef Point\n", "MATLAB"},
        {"a.m", "x = 1;\n", "Objective-C"},
        {"a.pl", "#!/usr/bin/perl -w\nprint 1 :- 2;\n", "Perl"},
        {"a.pl", "use strict;\nmy $x = 'a:-b';\n", "Perl"},
        {"a.pl", "% facts\nparent(tom, bob).\nanc(X, Y) :- parent(X, Y).\n", "Prolog"},
        {"a.pl", ":- module(m, []).\n", "Prolog"},
        {"a.pl", "anc(X, Y) :- parent(X, Y).\nparent(tom, bob).\n", "Prolog"},
        {"a.pl", "print 1 :- 2;\nmy $x;\n", "Perl"},
        {"a.pl", "# a:-b\nprint 1;\n", "Perl"},
        {"a.ts", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\">\n",
         "XML"},
        {"a.ts", "const t = '<TS>';\n", "TypeScript"},
        {"a.ts", "<?xml version=\"1.0\"?>\n<svg/>\n", "TypeScript"},
        {"a.v", "`timescale 1ns/1ps\nmodule top;\nendmodule\n", "Verilog"},
        {"a.v", "Require Import Arith.\nTheorem t : 1 = 1.\nProof. reflexivity. Qed.\n", "Coq"},
        {"a.v", "(* lemma *)\nLemma x : True.\n", "Coq"},
        {"a.v", "// nothing decisive\n", "Verilog"},
        {"a.inc", "<?php\n$x = 1;\n", "PHP"},
        {"a.inc", "{$IFDEF FPC}\n", "Pascal"},
        {"a.inc", "PROCEDURE Foo;\nBEGIN\nEND;\n", "Pascal"},
        {"a.inc", "#define X 1\n", "C++"},
        {"a.inc", "  // table\n{1, 2},\n", "C++"},
        {"a.inc", "; constants\nSTACK equ 100h\n", "Assembly (Intel)"},
        {"a.inc", "BUFSIZE EQU 512\n", "Assembly (Intel)"},
        {"a.inc", "%macro push2 2\n", "Assembly (Intel)"},
        {"a.inc", "1, 2, 3\n", nullptr},
        {"a.inc", "<?xml version=\"1.0\"?>\n", nullptr},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.head);
        const SharedSuffix* shared = FindSharedSuffix(c.name);
        ASSERT_NE(shared, nullptr);
        const std::int32_t lang = WideLanguageOfHead(*shared, c.head);
        EXPECT_EQ(lang,
                  c.language == nullptr ? 0 : kWideLanguageBase + WideLanguageIndex(c.language));
    }
}

TEST(ContentLanguage, OnlySharedSuffixesAreDecidedByContent)
{
    for (const char* name : {"a.c", "a.hpp", "a.mm", "a.pm", "a.tsx", "a.sv", "Makefile", ".h",
                             "a.incl", "dir.h/file"}) {
        EXPECT_EQ(FindSharedSuffix(name), nullptr) << name;
    }
}

TEST(ContentLanguage, OnlyTheFirstBlockIsLookedAt)
{
    const std::string late = std::string(kContentRuleBytes, '\n') + "@interface A\n";
    EXPECT_EQ(WideLanguageOfHead(*FindSharedSuffix("a.h"), late),
              kWideLanguageBase + WideLanguageIndex("C"));
}
