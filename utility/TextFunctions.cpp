#include "utility/TextFunctions.h"
