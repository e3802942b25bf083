#!/usr/bin/env python3
"""Writes the fuzzers' seed corpus: small hand-made inputs that reach each case of the reader,
of the word-list parser and of Import's decision about a file. Run from anywhere; it rewrites
tests/fuzz/corpus/."""

import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
RECORD = 104


def units(text, size):
    """A field of size UTF-16 units: the text, zero-padded (no terminator when it fills)."""
    data = text.encode("utf-16-le", "surrogatepass")
    assert len(data) <= 2 * size
    return data + bytes(2 * size - len(data))


def record(code, phrase):
    return units(code, 12) + units(phrase, 40)


def library(count, *records):
    return struct.pack("<H", count) + b"".join(record(c, p) for c, p in records)


READER = {
    "empty": b"",
    "one-byte": b"\x01",
    "count-only": struct.pack("<H", 3),
    "one-record": library(1, ("wqvb", "你好")),
    "full-fields": library(2, ("abcdefghijkl", "一二三四五六七八九十" * 4), ("a", "b")),
    "lone-surrogates": library(1, ("c\ud800d", "\U00020000\udc00")),
    "count-past-end": library(5, ("aaaa", "工"), ("bbbb", "人"))[: 2 + RECORD + 50],
    "odd-length": library(1, ("ab", "ABC"))[: 2 + 24 + 7],
    "count-max": b"\xff\xff\x41\x00",
    "free-slot-bytes": library(0, ("junk", "垃圾")),
    "text-after-terminator": library(1, ("ab\0zz", "工\0人")),
}

WORDLIST = {
    "words": "bb\t人\naa\t工\n".encode(),
    "bom-crlf": b"\xef\xbb\xbf" + "aa\t工\r\n\r\nbb\t人".encode(),
    "incomplete": "\t无码\nnophrase\t\n\t\n".encode(),
    "two-tabs": "aa\t工\t人\n".encode(),
    "no-tab": b"aa\n",
    "malformed": b"a\xc3\x28\tb\n",
    "long-fields": ("abcdefghijklm\t工\n" + "a\t" + "一" * 41 + "\n").encode(),
    "control": b"a\rb\tc\n\x00\td\n",
    "inner-bom": "a\tb\n\ufeffc\td\n".encode(),
    "surrogate-pairs": "\U00020000\t\U00020001\n\uff41\tx\n".encode(),
}

IMPORT = {
    "backup": library(2, ("wqvb", "你好"), ("khlg", "中国")),
    "short-backup": library(4, ("wq", "你们"))[: 2 + RECORD + 10],
    "large-count": b"\xff\xff" + library(1, ("wqvb", "你好"))[2:],
    "png": b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0",
    "small-count": b"\x03\x00\x41\x00\x01\x4e\xff\xfe",
    "utf8": "khlg\t中国\n你好 wqvb\r\nzzzz\t某\n\nab\tabc\n".encode(),
    "utf8-bom": b"\xef\xbb\xbf" + "KHLG  中国\n".encode(),
    "utf16le": "\ufeffkhlg\t中国\r\nwqvb\t你好\r\n".encode("utf-16-le"),
    "utf16be": "\ufeffkhlg\t中国\r\nwqvb\t你好\r\n".encode("utf-16-be"),
    "gbk": "khlg\t中国\r\n你们 wq\r\n".encode("gbk"),
    "control": "khlg\t中国\n\x01\n".encode(),
    "no-word": b"hello world\n",
}


def write(folder, inputs):
    target = HERE / "corpus" / folder
    target.mkdir(parents=True, exist_ok=True)
    for old in target.iterdir():
        old.unlink()
    for name, data in inputs.items():
        (target / name).write_bytes(data)


if __name__ == "__main__":
    write("reader", READER)
    write("wordlist", WORDLIST)
    write("import", IMPORT)
