// lintally: plain=10 blank=12 remed=13 remed+blank=15 blocks=7 blocks+blank=9
#include <stdio.h>

/* one-line block */
/*
 * multi-line block
 */
int main(void)
{
    int x = 1; // trailing remark
    /* a */ x++;
	// tab-indented comment
    
    return x; /* tail */
}
