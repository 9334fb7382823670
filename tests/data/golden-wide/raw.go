// lintally-wide: code=6 comment=2 blank=1
package main

var slash = `\`
// a comment after a raw string that ends in a backslash
var multi = `line one
// inside the raw string
`
var r = '`' /* a rune */
