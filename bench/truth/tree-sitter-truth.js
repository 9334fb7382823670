// Code lines of Rust and shell files by their tree-sitter grammars.
//
// Usage: node tree-sitter-truth.js TOOLS_FOLDER rust|bash < paths
// Prints "CODE<TAB>PATH" per file, or "skip<TAB>PATH" when the tree holds a syntax error or a
// missing node.
// Comments are the grammar's comment nodes; a line is code when it holds a byte outside
// comments that is not white space.
"use strict";
const fs = require("fs");
const path = require("path");
const modules = path.resolve(process.argv[2], "node_modules");
const Parser = require(path.join(modules, "tree-sitter"));
const language = require(path.join(modules, `tree-sitter-${process.argv[3]}`));
const COMMENTS = new Set(["comment", "line_comment", "block_comment"]);

function codeLines(bytes) {
  const parser = new Parser();
  parser.setLanguage(language);
  const text = bytes.toString("latin1");  // one character per byte: columns are bytes
  const tree = parser.parse((index) => text.slice(index, index + 4096));
  // A tree with an error or a missing node is a file the grammar cannot read.
  if (tree.rootNode.hasError || tree.rootNode.toString().includes("(MISSING")) return null;
  const lines = text.replace(/\n$/, "").split("\n").map((line) => line.split(""));
  const visit = (node) => {
    if (COMMENTS.has(node.type)) {
      const { startPosition: from, endPosition: to } = node;
      for (let row = from.row; row <= to.row && row < lines.length; row++) {
        const line = lines[row];
        const stop = row === to.row ? to.column : line.length;
        for (let col = row === from.row ? from.column : 0; col < stop; col++) line[col] = " ";
      }
      return;
    }
    for (let i = 0; i < node.childCount; i++) visit(node.child(i));
  };
  visit(tree.rootNode);
  let code = 0;
  lines.forEach((line, i) => {
    if (/[^ \t\r\f\v]/.test(line.join("")) || (i === 0 && text.startsWith("#!"))) code++;
  });
  return code;
}

const paths = fs.readFileSync(0, "utf8").split("\n").filter(Boolean);
for (const file of paths) {
  let code = null;
  try {
    code = codeLines(fs.readFileSync(file));
  } catch (e) {
    code = null;
  }
  process.stdout.write(`${code === null ? "skip" : code}\t${file}\n`);
}
