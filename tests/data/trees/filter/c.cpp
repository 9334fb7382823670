int c;
int d;
int e;
