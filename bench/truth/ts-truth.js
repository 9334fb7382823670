// Code lines of JavaScript and TypeScript files by the TypeScript compiler's parser.
//
// Usage: node ts-truth.js TOOLS_FOLDER < paths   (TOOLS_FOLDER holds node_modules/typescript)
// Prints "CODE<TAB>PATH" per file, or "skip<TAB>PATH" when the parser reports a syntax error.
// Comments are the trivia before each token of the parsed tree, so a '/' is a regular
// expression or a division as the parser reads it. A line is code when it holds a character
// outside comments that is not white space.
"use strict";
const fs = require("fs");
const path = require("path");
const ts = require(path.resolve(process.argv[2], "node_modules", "typescript"));

function codeLines(file, text) {
  const kind = /\.tsx$/.test(file) ? ts.ScriptKind.TSX
    : /\.(c|m)?ts$/.test(file) ? ts.ScriptKind.TS
    : /\.jsx$/.test(file) ? ts.ScriptKind.JSX : ts.ScriptKind.JS;
  const source = ts.createSourceFile(file, text, ts.ScriptTarget.Latest, true, kind);
  if (source.parseDiagnostics.length > 0) return null;
  const blanked = text.split("");
  const blank = (range) => {
    for (let i = range.pos; i < range.end; i++) if (blanked[i] !== "\n") blanked[i] = " ";
  };
  const visit = (node) => {
    if (node.kind >= ts.SyntaxKind.FirstJSDocNode && node.kind <= ts.SyntaxKind.LastJSDocNode) return;
    const children = node.getChildren(source);
    if (children.length === 0 || node.kind === ts.SyntaxKind.EndOfFileToken) {
      (ts.getLeadingCommentRanges(text, node.pos) || []).forEach(blank);
      return;
    }
    children.forEach(visit);
  };
  visit(source);
  const lines = blanked.join("").replace(/\n$/, "").split("\n");
  let code = 0;
  lines.forEach((line, i) => {
    if (/[^ \t\r\f\v]/.test(line) || (i === 0 && text.startsWith("#!"))) code++;
  });
  return code;
}

const paths = fs.readFileSync(0, "utf8").split("\n").filter(Boolean);
for (const file of paths) {
  let code = null;
  try {
    code = codeLines(file, fs.readFileSync(file, "utf8"));
  } catch (e) {
    code = null;
  }
  process.stdout.write(`${code === null ? "skip" : code}\t${file}\n`);
}
