int a;

// c
/* b */
