"""Reads the character vectors of an R data file (.Rda / .rdata, XDR format 2 or 3).

Enough of R's serialization for files that keep named objects made of strings, numbers and
lists: read_rdata(path) returns {name: value}, a character vector as a list of str (None for
NA), a number vector as a list, a list as a list. Anything else raises RDataError.
"""

import gzip
import struct

NILVALUE, SYMSXP, LISTSXP, CHARSXP, LGLSXP, INTSXP, REALSXP, STRSXP, VECSXP = (
    254, 1, 2, 9, 10, 13, 14, 16, 19)
REFSXP, GLOBALENV, EMPTYENV, BASEENV = 255, 253, 242, 241


class RDataError(Exception):
    pass


class Reader:
    def __init__(self, data):
        self.data = data
        self.at = 0
        self.refs = []

    def take(self, n):
        if self.at + n > len(self.data):
            raise RDataError("the file ends inside an object")
        chunk = self.data[self.at:self.at + n]
        self.at += n
        return chunk

    def int(self):
        return struct.unpack(">i", self.take(4))[0]

    def item(self):
        flags = self.int()
        kind = flags & 0xFF
        has_attr, has_tag = flags & (1 << 9), flags & (1 << 10)
        if kind in (NILVALUE, GLOBALENV, EMPTYENV, BASEENV):
            return None
        if kind == REFSXP:
            index = flags >> 8 or self.int()
            return self.refs[index - 1]
        if kind == SYMSXP:
            name = self.item()
            self.refs.append(name)
            return name
        if kind == CHARSXP:
            length = self.int()
            return None if length == -1 else self.take(length).decode("latin-1")
        if kind == LISTSXP:
            pairs = []
            while True:
                attributes = self.item() if has_attr else None
                tag = self.item() if has_tag else None
                pairs.append((tag, self.item()))
                del attributes
                flags = self.int()
                kind = flags & 0xFF
                if kind == NILVALUE:
                    return pairs
                if kind != LISTSXP:
                    raise RDataError("a pair list ends in type %d" % kind)
                has_attr, has_tag = flags & (1 << 9), flags & (1 << 10)
        if kind in (STRSXP, VECSXP, LGLSXP, INTSXP, REALSXP):
            length = self.int()
            if kind == STRSXP or kind == VECSXP:
                value = [self.item() for _ in range(length)]
            elif kind == REALSXP:
                value = list(struct.unpack(">%dd" % length, self.take(8 * length)))
            else:
                value = list(struct.unpack(">%di" % length, self.take(4 * length)))
            if has_attr:
                self.item()
            return value
        raise RDataError("objects of R type %d are not read here" % kind)


def read_rdata(path):
    with open(path, "rb") as f:
        raw = f.read()
    if raw[:2] == b"\x1f\x8b":
        raw = gzip.decompress(raw)
    if raw[:5] not in (b"RDX2\n", b"RDX3\n") or raw[5:7] != b"X\n":
        raise RDataError("not an R data file in XDR format")
    reader = Reader(raw[7:])
    version = reader.int()
    reader.int()
    reader.int()
    if version == 3:
        reader.take(reader.int())  # the native encoding's name
    pairs = reader.item()
    if not isinstance(pairs, list):
        raise RDataError("no named objects in the file")
    return {tag: value for tag, value in pairs}
