#pragma once
// Raw deflate streams joined into one: the pieces of a large file are
// deflated apart (at once, on several threads), and every piece but the last
// is then made to go on into the next one. Its last block loses its final
// mark and empty blocks fill up its last byte, so the next piece's bytes
// follow it as they are.
#include <zlib.h>

#include <cstddef>

// The most bytes a stream grows by when it is made to go on.
constexpr size_t kContinueSlack = 8;

// Makes the whole raw deflate stream in stream[0, length) go on: its last
// block marked as not the last and the stream ended on a byte boundary, the
// buffer having room for kContinueSlack more bytes. inflater is a raw
// inflate stream (inflateInit2 with -MAX_WBITS), used to find the last
// block. The new length; 0 when stream is not one whole, sound stream.
size_t MakeStreamContinue(unsigned char* stream, size_t length, z_stream* inflater);
