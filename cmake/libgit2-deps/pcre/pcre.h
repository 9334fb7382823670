/* The part of PCRE's interface that libgit2 calls, for a build that has no regular
 * expressions: pcre_compile refuses every pattern and says why, so each libgit2 call that
 * needs one fails with that message. */
#ifndef LINTALLY_PCRE_STAND_IN_H
#define LINTALLY_PCRE_STAND_IN_H

#define PCRE_CASELESS 0x00000001
#define PCRE_ERROR_NOMATCH (-1)

typedef struct lintally_no_pcre pcre;

pcre* pcre_compile(const char* pattern, int options, const char** error, int* erroffset,
                   const unsigned char* tables);
int pcre_exec(const pcre* code, const void* extra, const char* subject, int length, int startoffset,
              int options, int* ovector, int ovecsize);
void pcre_free(void* code);

#endif
