#include <gtest/gtest.h>

#include <string>

#include "core/model/UrlCheck.h"

using kestrel::UrlCheck;

TEST(UrlCheck, OpensWebFileAndMailAddresses) {
    for (const char* url : {"https://example.org", "HTTP://Example.org:8080/a/b.html?x=1&y=%2F#top",
                            "http://user:pw@[::1]:80/", "https://de.example.org/wiki/\xC3\x9C" "bersicht",
                            "file:///usr/include/x.h", "file://host/share/doc", "file:/tmp/a%20b.html",
                            "mailto:a@example.org", "mailto:a@example.org,b.c@example.net?subject=Kestrel"})
        EXPECT_TRUE(UrlCheck::isOpenable(url)) << url;
}

TEST(UrlCheck, RefusesOtherSchemesAndMalformedAddresses) {
    for (const char* url : {
             "", "example.org", "www.example.org/page", "/usr/include/x.h", ":x",
             "javascript:alert(1)", "data:text/html,x", "ftp://example.org/", "ssh://host", "x-man-page://ls",
             "https:", "https://", "http:/x", "https:example.org", "https://:80/",  // no host
             "https://example.org:65536/", "https://example.org:8o/",              // port
             "https://exa mple.org/", " https://example.org", "https://example.org/a b",
             "https://example.org/a\"b", "https://example.org/<b>", "https://example.org/a|b",
             "https://example.org/a\nb", "https://example.org/%zz", "https://example.org/%4",
             "https://example.org/a#b#c", "https://a@b@example.org/", "https://[zz]/",
             "https://example.org/\xC3", "https://example.org/\xC0\xAF",  // not UTF-8, overlong
             "file:", "file://", "file://host", "file:relative/x.h",
             "mailto:", "mailto:someone", "mailto:@example.org", "mailto:a@", "mailto:a@example.org,",
         })
        EXPECT_FALSE(UrlCheck::isOpenable(url)) << url;
}
