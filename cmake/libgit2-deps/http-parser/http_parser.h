/* The part of http-parser's interface that libgit2 calls, for a build without network
 * transports: URLs do not parse and responses stop at their first byte with
 * HPE_UNSUPPORTED, so fetching over http, https or git:// fails with a message. Local
 * repositories never reach this code. */
#ifndef LINTALLY_HTTP_PARSER_STAND_IN_H
#define LINTALLY_HTTP_PARSER_STAND_IN_H

#include <stddef.h>
#include <stdint.h>

enum http_parser_type
{
    HTTP_REQUEST,
    HTTP_RESPONSE,
    HTTP_BOTH
};

enum http_errno
{
    HPE_OK,
    HPE_PAUSED,
    HPE_UNSUPPORTED
};

typedef struct http_parser
{
    unsigned short http_major;
    unsigned short http_minor;
    unsigned int status_code;
    unsigned char http_errno;
    void* data;
} http_parser;

typedef int (*http_data_cb)(http_parser* parser, const char* at, size_t length);
typedef int (*http_cb)(http_parser* parser);

typedef struct http_parser_settings
{
    http_cb on_message_begin;
    http_data_cb on_url;
    http_data_cb on_status;
    http_data_cb on_header_field;
    http_data_cb on_header_value;
    http_cb on_headers_complete;
    http_data_cb on_body;
    http_cb on_message_complete;
} http_parser_settings;

enum http_parser_url_fields
{
    UF_SCHEMA,
    UF_HOST,
    UF_PORT,
    UF_PATH,
    UF_QUERY,
    UF_FRAGMENT,
    UF_USERINFO,
    UF_MAX
};

struct http_parser_url
{
    uint16_t field_set;
    uint16_t port;
    struct
    {
        uint16_t off;
        uint16_t len;
    } field_data[UF_MAX];
};

void http_parser_init(http_parser* parser, enum http_parser_type type);
size_t http_parser_execute(http_parser* parser, const http_parser_settings* settings,
                           const char* data, size_t len);
void http_parser_pause(http_parser* parser, int paused);
int http_should_keep_alive(const http_parser* parser);
const char* http_errno_description(enum http_errno err);
int http_parser_parse_url(const char* buf, size_t buflen, int is_connect,
                          struct http_parser_url* u);

#endif
