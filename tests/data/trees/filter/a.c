#include <stdio.h>

// comment
int main(void) { return 0; }
