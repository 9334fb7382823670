// lintally-wide: code=4 comment=3 blank=1
package main

/* crlf
 block */
var s = `raw
// inside raw`
func main() {}
