#!/usr/bin/env python3
"""Code lines of C files by libclang's lexer (Debian's python3-clang).

Reads paths on standard input, one a line; prints "CODE<TAB>PATH" per file. Comments are
libclang's comment tokens of the whole file, preprocessor lines and `#if 0` parts lexed like
the rest. A line is code when it holds a byte outside comments that is not white space.
"""
import sys

import clang.cindex as ci

WHITE = b" \t\r\f\v"


def code_lines(index, path):
    with open(path, "rb") as f:
        data = f.read()
    tu = ci.TranslationUnit.from_source(
        path, args=["-x", "c", "-fsyntax-only"], index=index,
        options=ci.TranslationUnit.PARSE_SKIP_FUNCTION_BODIES | ci.TranslationUnit.PARSE_INCOMPLETE)
    lines = [bytearray(line) for line in data.split(b"\n")]
    if data.endswith(b"\n"):
        lines.pop()
    whole = ci.SourceRange.from_locations(
        ci.SourceLocation.from_offset(tu, tu.get_file(path), 0),
        ci.SourceLocation.from_offset(tu, tu.get_file(path), len(data)))
    for token in tu.get_tokens(extent=whole):
        if token.kind != ci.TokenKind.COMMENT:
            continue
        start, end = token.extent.start, token.extent.end
        for row in range(start.line, end.line + 1):
            line = lines[row - 1] if row - 1 < len(lines) else bytearray()
            a = start.column - 1 if row == start.line else 0
            b = end.column - 1 if row == end.line else len(line)
            line[a:b] = b" " * max(0, min(b, len(line)) - a)
    code = sum(1 for line in lines if line.strip(WHITE))
    return code


def main():
    index = ci.Index.create()
    for path in sys.stdin.read().splitlines():
        try:
            print(f"{code_lines(index, path)}\t{path}")
        except Exception:
            print(f"skip\t{path}")


if __name__ == "__main__":
    main()
