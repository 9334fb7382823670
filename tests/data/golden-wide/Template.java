// lintally-wide: code=5 comment=4 blank=1
/**
 * Javadoc.
 */
class Template {
    String a = "*/ not an end";
    char c = '/';

    int f() { return 1; } /* x */
}
