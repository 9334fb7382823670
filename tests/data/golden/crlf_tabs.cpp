// lintally: plain=8 blank=10 remed=11 remed+blank=13 blocks=6 blocks+blank=8
#include "x.h"

	// tab comment
	/* block */
int f()
{
	return 1;	
	 
}
/* open
	inner
*/ int g;
