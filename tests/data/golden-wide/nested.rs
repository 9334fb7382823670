// lintally-wide: code=4 comment=7 blank=1
/* outer /* inner */
   still a comment */
fn main() {
    let s = "/* in a string";
    /// doc comment
    /*
     * /* nested */

     */
    println!("{}", s); // trailing
}
