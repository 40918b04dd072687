#include "ai/choice.h"

ComputerChooser computerChooser = nullptr;
