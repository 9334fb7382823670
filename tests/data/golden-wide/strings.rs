// lintally-wide: code=11 comment=2 blank=1
fn main() {
    let text = "first line
// inside the string
last line";
    let raw = r#"a "quoted" word
// inside the raw string
"#;
    let hashes = r##"ends with "# only at "##;

    let quote = '"'; // a char holding a quote
    fn f<'a>(x: &'a str) -> &'a str { x }
    // a comment
}
