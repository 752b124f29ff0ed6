#!/usr/bin/env python3
"""Writes the seed corpora (corpus/<target>/) from the test fixtures.

Usage: make_corpus.py [output folder, default: corpus beside this script]

Each seed is in the layout the targets read (fuzz_input.h): a flags byte, a position byte or two,
then texts separated by zero bytes. The texts are cuts of the result pages in tests/fixtures and
the delimiters, addresses, headers and cookies the program really uses; each seed stays small
so that the committed corpus does too.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, "..", "fixtures", "extract")


def gbk(text):
    return text.encode("gbk")


def page(name):
    with open(os.path.join(FIXTURES, name), "rb") as f:
        return f.read()


def cuts(data, size, count):
    """`count` pieces of `size` bytes spread over `data`, each starting on a line."""
    pieces = []
    step = max(1, (len(data) - size) // max(1, count))
    for i in range(count):
        at = data.find(b"\n", i * step) + 1
        pieces.append(data[at:at + size])
    return pieces


def seed(flags, positions, *texts):
    return bytes([flags & 0xFF]) + bytes(p & 0xFF for p in positions) + b"\0".join(texts)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "corpus")
    pages = [page(n) for n in ("page_plain.html", "page_quirks.html", "page_last.html")]
    pieces = [p for data in pages for p in cuts(data, 600, 4)]
    post_address = (b'class="p_title">\n<a class="bluelink" href="', b'" class="bluelink" target="_blank" >')
    post_title = (post_address[1], b'</a>\n</span>\n<div class="p_content">')
    pairs = [post_address, post_title, (b"<em>", b"</em>"), (b'<font class="p_violet">', b"</font>"),
             (b'<span class="tag">' + gbk("ＴＡＧσд"), b"</span>"), (b"<B>", b"</b>"),
             (b"a=" + gbk("#引号"), gbk("#引号")), (b"", b"\n"), (b"a", b"a")]
    addresses = [b"http://tieba.baidu.com/f/search/res?ie=utf-8&kw=%D6%D0&qw=1&pn=2",
                 b"http://Tieba.Baidu.COM:8080/f?x=1", b"https://host/", b"HTTP://x/y", b"host:abc",
                 b"127.0.0.1:34567/p/1", b"http://h/x", b"http://" + gbk("中文") + b"/f"]
    headers = [b"User-Agent: test agent \r\nRefererNo\r\n", b"Accept: */*\r\nReferer: http://a/\r\n",
               b"Content-Type: text/plain\r\nContent-Length: 3\r\n", b""]
    cookie_headers = [
        b"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nContent-Length: 0\r\n\r\n",
        b"HTTP/1.1 302 Found\r\nset-cookie: BAIDUID=ABC:FG=1; expires=Thu, 31-Dec-37 23:55:55 GMT; "
        b"path=/; domain=.baidu.com\r\nLocation: /x\r\n\r\n",
        b"Set-Cookie: novalue\nSet-Cookie: =empty;x\r\nX-Set-Cookie: c=3\r\n",
        b"Set-Cookie: n=" + gbk("中文") + b";\r\n"]
    texts = [gbk("a中a"), gbk("　 标题 　"), gbk("回复：编程") + b"ABC", b"\xD6\xD0\xB9\xFA\x80\xFE\xFF",
             b"\xB0\xEA\xA4\xA4", "國語".encode("big5"), "中文 UTF-8 €".encode("utf-8"),
             "€".encode("utf-16-le") + "中".encode("utf-16-le") + b"\x00\xd8"]

    corpora = {
        "text_rules": [seed(f, (s, c), t, sought, r)
                       for f, s, c, t, sought, r in
                       [(0, 0, 0, gbk("a中a"), b"a", b"b"), (3, 2, 0, gbk("a中a"), b"A", b"\\."),
                        (5, 1, 1, b"a.a.a", b".", b"\\."), (2, 0, 0, gbk("　 中 　"), gbk("中"), b"")]]
                      + [seed(i & 7, (i * 37, i), p, pairs[i % len(pairs)][0], b"x")
                         for i, p in enumerate(pieces[:6])],
        "delimited_text": [seed(i % 8, (i,), p, left, right)
                           for i, (p, (left, right)) in enumerate(zip(pieces, pairs * 2))]
                          + [seed(0, (0,), b'a="1"', b"a=" + gbk("#引号"), gbk("#引号")),
                             seed(1, (5,), b"a=1; path=/; x=2", b";", b"")],
        "url_parts": [seed(0, (0, 0), a) for a in addresses]
                     + [seed(1, (0x1F, 0x90), b"tieba.baidu.com", b"f/search/res?kw=1"),
                        seed(1, (0, 80), b"p", b"x")],
        "percent_encoding": [seed(f, (), t) for f in (0, 1, 3) for t in texts[:5]],
        "codepages": [seed(0, (), t) for t in texts] + [seed(0, (), p) for p in pieces[:3]],
        "extract_all_between": [seed(f, (m,), p, left, right, b"[", b"]")
                                for (f, m), p, (left, right) in
                                zip([(0, 0), (1, 40), (2, 0), (4, 0), (8, 0), (12, 0), (16, 0), (17, 20)],
                                    pieces, pairs)]
                               + [seed(0, (0,), b"a1a2a3a", b"a", b"a"),
                                  seed(0, (0,), b"<B>x</B> <b>y</b>", b"<b>", b"</b>")],
        "header_block": [seed(f, (), h, a, b"ie=utf-8&word=%E4%B8%AD", c, b"")
                         for f, h, a, c in
                         [(0, headers[0], addresses[0], b""), (1, headers[1], addresses[1], b"a=1;b=2;"),
                          (5, headers[2], addresses[2], b"x=1"), (3, headers[3], addresses[3], b"")]],
        "response_cookies": [seed(0, (), h) for h in cookie_headers],
    }
    for target, seeds in corpora.items():
        folder = os.path.join(out, target)
        os.makedirs(folder, exist_ok=True)
        for i, data in enumerate(seeds):
            with open(os.path.join(folder, f"seed_{i:02d}"), "wb") as f:
                f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
