// lintally: plain=8 blank=8 remed=9 remed+blank=9 blocks=5
/**
 * Javadoc
 */
public class Demo {
    /*/ odd */
    /* a */ /* b */
    int x; /* c */
}
