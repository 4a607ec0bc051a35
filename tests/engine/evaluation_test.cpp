#include "calculator.h"
