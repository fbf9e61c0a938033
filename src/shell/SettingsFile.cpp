#include "shell/SettingsFile.h"
