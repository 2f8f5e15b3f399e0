#include "FieldModel.h"
