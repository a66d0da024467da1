#include "tool/commands.h"
