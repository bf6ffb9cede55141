// An Allegro PACKFILE that reads from bytes already in memory, so a picture or
// a sound is parsed from exactly the bytes that were read (and checked) once.
#pragma once

#include <string>

struct PACKFILE;

// A read-only PACKFILE over `bytes`, which must outlive it; close with pack_fclose.
PACKFILE* open_memory_packfile(const std::string& bytes);
