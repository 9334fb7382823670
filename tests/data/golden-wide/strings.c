// lintally-wide: code=7 comment=5 blank=2
#include <stdio.h>

/* a block
	with a tab
*/
static const char *open = "/* not a comment";
static const char quote = '"'; // a quote in quotes
int main(void) { /* inline */
	printf("// nor this\n");
	/* one */ /* two */

	return 0; /* trailing
	comment */ }
