// Code lines of Go files by Go's own scanner (go/scanner with comments).
//
// Reads paths on standard input, one a line; prints "CODE<TAB>PATH" per file, or
// "skip<TAB>PATH" when the scanner reports an error. A line is code when it holds a byte
// outside comments that is not white space.
package main

import (
	"bufio"
	"fmt"
	"go/scanner"
	"go/token"
	"os"
	"strings"
)

func codeLines(src []byte) (int, bool) {
	fset := token.NewFileSet()
	file := fset.AddFile("f", -1, len(src))
	failed := false
	var s scanner.Scanner
	s.Init(file, src, func(token.Position, string) { failed = true }, scanner.ScanComments)
	blanked := append([]byte(nil), src...)
	for {
		pos, tok, lit := s.Scan()
		if tok == token.EOF {
			break
		}
		if tok == token.COMMENT {
			// The literal drops a comment's CRs: its end is found in the source.
			start := file.Offset(pos)
			end := len(src)
			if strings.HasPrefix(lit, "//") {
				if at := strings.IndexByte(string(src[start:]), '\n'); at >= 0 {
					end = start + at
				}
			} else if at := strings.Index(string(src[start+2:]), "*/"); at >= 0 {
				end = start + 2 + at + 2
			}
			for i := start; i < end; i++ {
				if blanked[i] != '\n' {
					blanked[i] = ' '
				}
			}
		}
	}
	lines := strings.Split(strings.TrimSuffix(string(blanked), "\n"), "\n")
	code := 0
	for i, line := range lines {
		if strings.Trim(line, " \t\r\f\v") != "" || (i == 0 && strings.HasPrefix(string(src), "#!")) {
			code++
		}
	}
	return code, !failed
}

func main() {
	in := bufio.NewScanner(os.Stdin)
	for in.Scan() {
		path := in.Text()
		src, err := os.ReadFile(path)
		code, ok := codeLines(src)
		if err != nil || !ok {
			fmt.Printf("skip\t%s\n", path)
			continue
		}
		fmt.Printf("%d\t%s\n", code, path)
	}
}
