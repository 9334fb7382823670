int s;

