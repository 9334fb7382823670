#include "http_parser.h"

#include <string.h>

void http_parser_init(http_parser* parser, enum http_parser_type type)
{
    void* data = parser->data;
    (void)type;
    memset(parser, 0, sizeof *parser);
    parser->data = data;
}

size_t http_parser_execute(http_parser* parser, const http_parser_settings* settings,
                           const char* data, size_t len)
{
    (void)settings;
    (void)data;
    (void)len;
    parser->http_errno = HPE_UNSUPPORTED;
    return 0;
}

void http_parser_pause(http_parser* parser, int paused)
{
    parser->http_errno = paused ? HPE_PAUSED : HPE_OK;
}

int http_should_keep_alive(const http_parser* parser)
{
    (void)parser;
    return 0;
}

const char* http_errno_description(enum http_errno err)
{
    switch (err) {
    case HPE_OK:
        return "success";
    case HPE_PAUSED:
        return "parser is paused";
    default:
        return "network transports are not supported in this build";
    }
}

/* Every URL is refused: nonzero is a parse failure. */
int http_parser_parse_url(const char* buf, size_t buflen, int is_connect, struct http_parser_url* u)
{
    (void)buf;
    (void)buflen;
    (void)is_connect;
    memset(u, 0, sizeof *u);
    return 1;
}
