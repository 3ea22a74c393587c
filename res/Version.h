#pragma once

// The program's version data.
#define LUMERA_FILE_VERSION "2.2.0.1"
#define LUMERA_PRODUCT_VERSION "2.2"
#define LUMERA_FILE_DESCRIPTION "Lumera Application"
#define LUMERA_PRODUCT_NAME "Lumera Application"
#define LUMERA_INTERNAL_NAME "Lumera32"
#define LUMERA_ORIGINAL_FILENAME "Lumera32.EXE"
#define LUMERA_COMMENTS "Randomily displays bible verses."
#define LUMERA_COMPANY_NAME "Orvane Press"
#define LUMERA_LEGAL_COPYRIGHT "Freeware by Orvane Press"
