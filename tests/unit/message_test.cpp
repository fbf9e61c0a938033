// Error messages where no display answers: the line on stderr, and nothing that waits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/Message.h"

TEST(Message, WithoutADisplayTheLineGoesToStderrOnce)
{
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");

    testing::internal::CaptureStderr();
    message_box("Unknown DIB file format.");
    message_box("Failed to open DIB file Data/Sky.bmp.\n");  // ends in its own newline
    const std::string written = testing::internal::GetCapturedStderr();
    if (display) setenv("DISPLAY", saved.c_str(), 1);

    EXPECT_EQ(written,
              "Unknown DIB file format.\nFailed to open DIB file Data/Sky.bmp.\n");
    EXPECT_EQ(show_message, message_box);
}
