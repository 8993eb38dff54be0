// A view that wires itself into the program.
#include "app/OutputArea.h"
