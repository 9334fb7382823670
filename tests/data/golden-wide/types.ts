// lintally-wide: code=4 comment=4 blank=0
/*
 * Header.
 */
interface A { b: string }
const c: string = '/*';
let d = 1;
export { A };
