#include "core/memory_packfile.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>

namespace {

struct MemoryFile {
    const std::string* bytes;
    size_t at;
};

MemoryFile& file_of(void* userdata)
{
    return *static_cast<MemoryFile*>(userdata);
}

int memory_close(void* userdata)
{
    delete static_cast<MemoryFile*>(userdata);
    return 0;
}

int memory_getc(void* userdata)
{
    MemoryFile& f = file_of(userdata);
    if (f.at >= f.bytes->size()) return EOF;
    return static_cast<unsigned char>((*f.bytes)[f.at++]);
}

int memory_ungetc(int c, void* userdata)
{
    MemoryFile& f = file_of(userdata);
    if (f.at == 0) return EOF;
    --f.at;
    return c;
}

long memory_read(void* p, long n, void* userdata)
{
    MemoryFile& f = file_of(userdata);
    if (n <= 0) return 0;
    size_t count = std::min(size_t(n), f.bytes->size() - f.at);
    std::memcpy(p, f.bytes->data() + f.at, count);
    f.at += count;
    return long(count);
}

int memory_putc(int, void*)
{
    return EOF;
}

long memory_write(const void*, long, void*)
{
    return 0;
}

int memory_seek(void* userdata, int offset)
{
    MemoryFile& f = file_of(userdata);
    if (offset < 0) return -1;
    f.at = std::min(f.bytes->size(), f.at + size_t(offset));
    return 0;
}

int memory_eof(void* userdata)
{
    MemoryFile& f = file_of(userdata);
    return f.at >= f.bytes->size();
}

int memory_error(void*)
{
    return 0;
}

const PACKFILE_VTABLE MEMORY_VTABLE = {memory_close, memory_getc,  memory_ungetc, memory_read, memory_putc,
                                       memory_write, memory_seek, memory_eof,    memory_error};

}  // namespace

PACKFILE* open_memory_packfile(const std::string& bytes)
{
    MemoryFile* file = new MemoryFile{&bytes, 0};
    PACKFILE* packfile = pack_fopen_vtable(&MEMORY_VTABLE, file);
    if (!packfile) delete file;
    return packfile;
}
