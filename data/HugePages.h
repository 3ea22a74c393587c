#pragma once

#include <cstddef>

// Asks the system to back the whole 2 MB blocks inside [data, data + size)
// with huge pages, before they are first written: a large buffer then costs
// a few page faults instead of one per 4 KB. Only a hint; ignored where the
// system has no such pages.
void PreferHugePages(void *data, std::size_t size);
