#pragma once

#include "res/program_names.h"

// The program's version, in the one place both the version resource and the
// code take it from. The texts are UTF-8 here: the resource compiler reads
// them as such, and narrow C++ literals turn them into code page 932.

#define VERSION_FILE_NUMBERS 5, 0, 0, 7567
#define VERSION_PRODUCT_NUMBERS 7, 0, 0, 0
#define VERSION_FILE_TEXT "5, 0, 0, 7567"
#define VERSION_PRODUCT_TEXT "7, 0, 0, 0"

#define VERSION_FILE_DESCRIPTION PROGRAM_TITLE
#define VERSION_INTERNAL_NAME "qorChecker.exe"
#define VERSION_ORIGINAL_FILENAME "qorChecker.exe"
#define VERSION_PRODUCT_NAME "Lumora"
#define VERSION_COMPANY_NAME "ルモラ株式会社"
#define VERSION_LEGAL_COPYRIGHT "Copyright (C) 2010 ルモラ株式会社 All rights reserved."

// Japanese, code page 932: the only translation, as block name and as pair.
#define VERSION_TRANSLATION_BLOCK "041103a4"
#define VERSION_TRANSLATION_LANGUAGE 0x411
#define VERSION_TRANSLATION_CODEPAGE 932
