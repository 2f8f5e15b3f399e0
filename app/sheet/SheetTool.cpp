#include "SheetTool.h"
