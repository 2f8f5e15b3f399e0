#include "forms.h"
