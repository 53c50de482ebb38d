#pragma once

#include <cstddef>

// Asks the system to back the whole 2 MiB pages inside the memory with huge pages, so that
// filling a large buffer takes a few page faults instead of one every 4 KiB. Only advice: memory
// too small to hold such a page, or a system that declines, keeps its ordinary pages.
void AdviseHugePages(void* memory, std::size_t length);
