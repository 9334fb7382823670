#include "pcre.h"

#include <stddef.h>

pcre* pcre_compile(const char* pattern, int options, const char** error, int* erroffset,
                   const unsigned char* tables)
{
    (void)pattern;
    (void)options;
    (void)tables;
    *error = "regular expressions are not supported in this build";
    *erroffset = 0;
    return NULL;
}

/* Never reached with a pattern: none compiles. */
int pcre_exec(const pcre* code, const void* extra, const char* subject, int length, int startoffset,
              int options, int* ovector, int ovecsize)
{
    (void)code;
    (void)extra;
    (void)subject;
    (void)length;
    (void)startoffset;
    (void)options;
    (void)ovector;
    (void)ovecsize;
    return PCRE_ERROR_NOMATCH;
}

void pcre_free(void* code)
{
    (void)code;
}
