// Writers for the file formats of Data/: 24-bit Windows bitmaps, 16-bit PCM wave files and the
// icon's RGBA PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// The whole bitmap file: the 14-byte "BM" header, the 40-byte info header and the pixels as
// blue-green-red triples, bottom row first, each row padded with zeros to a multiple of 4 bytes.
std::vector<std::uint8_t> encode_bmp(const Image& image);

// The whole RIFF/WAVE file: mono 16-bit PCM at the given sample rate, a 16-byte fmt chunk.
std::vector<std::uint8_t> encode_wav(const std::vector<std::int16_t>& samples, int sample_rate);

// The whole PNG file: 8-bit RGBA, the compression level fixed so the bytes never change.
std::vector<std::uint8_t> encode_png(const RgbaImage& image);

// Writes bytes to path; false (with a message on stderr) when the file cannot be written.
bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes);
