#ifndef POINT_H
#define POINT_H
/* A point. */
struct point { int x, y; };
#endif
