// lintally-wide: code=6 comment=5 blank=1
const quote = /`/g;
// not in a template
const star = /[/*]/.test(s) ? a / b : c / d;
/* a comment
   that ends */
const slash = /a\/*/;

function f(x) {
  return /'/.test(x) && x.length / 2 > 1;
}
// the end
