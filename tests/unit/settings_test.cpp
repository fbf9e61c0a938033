// The settings file: written, read back, and damaged files taken apart entry by entry.
#include <gtest/gtest.h>

#include "shell/SettingsFile.h"
