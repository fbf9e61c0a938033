// Reference frames: pictures of the program compared with committed PNG files in
// tests/reference. Shared by the GL tests, which draw the frames in-process, and the end-to-end
// tests, which take screenshots of the running program.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A picture: width * height pixels of red, green and blue, rows top to bottom.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// Whether `actual` matches tests/reference/<name>.png: every channel of every pixel within
// 3 levels (llvmpipe differs by a level or two between processors), but for at most 8 pixels.
// On a mismatch the actual picture and a difference picture (the mismatched pixels in red over
// a faded copy) go to references/<name>.png and <name>.diff.png in the build tree. With
// KESTRIX_UPDATE_REFERENCES=1 in the environment the actual picture becomes the reference.
testing::AssertionResult matches_reference(const std::string& name, const Frame& actual);

// The number of pixels of `a` and `b` that differ by more than 3 levels in some channel; all of
// the larger picture's when their sizes differ.
int differing_pixels(const Frame& a, const Frame& b);
