// lintally-wide: code=6 comment=2 blank=1
const t = `multi
// still the template
/* too */`;
const u = "a // b";

/* c */ const v = 1;
const re = /ab/; // trailing
// end
