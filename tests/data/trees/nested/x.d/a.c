// only a comment
int a;
