// Output drawing with cairo itself, and reaching up into the printer.
#include <cairo.h>

#include "pdf/cairo_printer.h"
