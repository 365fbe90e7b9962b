// The strings reaching up into the file layer.
#include "system/text_files.h"
#include "text/sjis_string.h"
