// Session data reaching up into the output.
#include "output/drawing.h"
#include "text/encoding.h"
