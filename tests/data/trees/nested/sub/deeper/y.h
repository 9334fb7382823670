a;
b;
c;
