#!/usr/bin/env python3
"""Code lines of Python files by Python's own tokenize and ast.

Reads paths on standard input, one a line; prints "CODE<TAB>PATH" per file, or "skip<TAB>PATH"
for a file Python cannot parse. A line is code when it holds a character outside comments;
comments are tokenize's COMMENT tokens and every statement that is only a string literal.
"""
import ast
import io
import sys
import tokenize

WHITE = " \t\r\f\v"


def code_lines(text):
    lines = text.split("\n")
    blanked = [list(line) for line in lines]

    def blank(srow, scol, erow, ecol):  # rows from 1, columns in characters, end exclusive
        for row in range(srow, erow + 1):
            line = blanked[row - 1]
            start = scol if row == srow else 0
            stop = ecol if row == erow else len(line)
            for col in range(start, min(stop, len(line))):
                line[col] = " "

    for tok in tokenize.generate_tokens(io.StringIO(text).readline):
        if tok.type == tokenize.COMMENT:
            blank(tok.start[0], tok.start[1], tok.end[0], tok.end[1])
    encoded = [line.encode("utf-8") for line in lines]

    def chars(row, col):  # ast columns count UTF-8 bytes
        return len(encoded[row - 1][:col].decode("utf-8", errors="replace"))

    for node in ast.walk(ast.parse(text)):
        if isinstance(node, ast.Expr) and isinstance(node.value, (ast.Constant, ast.JoinedStr)) \
                and (isinstance(node.value, ast.JoinedStr) or isinstance(node.value.value, (str, bytes))):
            blank(node.lineno, chars(node.lineno, node.col_offset),
                  node.end_lineno, chars(node.end_lineno, node.end_col_offset))
    if text.endswith("\n"):
        blanked.pop()
    code = sum(1 for line in blanked if "".join(line).strip(WHITE))
    if lines and lines[0].startswith("#!") and not "".join(blanked[0]).strip(WHITE):
        code += 1
    return code


def main():
    for path in sys.stdin.read().splitlines():
        try:
            with open(path, "rb") as f:
                data = f.read()
            text = data.decode("utf-8")
            print(f"{code_lines(text)}\t{path}")
        except Exception:  # Python 2 files, other encodings, syntax errors: no truth
            print(f"skip\t{path}")


if __name__ == "__main__":
    main()
