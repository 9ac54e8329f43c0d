#include "chmfile.h"

#include <QFile>

#include <mspack.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

// The names under which the reader opens its two "files": the help file in memory and the
// buffer that receives one extracted entry.
constexpr const char *SourceName = "source";
constexpr const char *SinkName = "sink";

// No single allocation of the library comes near this for a sane file.
constexpr size_t MaxAllocation = size_t{64} * 1024 * 1024;

QString folded(const QString &name)
{
    return name.toCaseFolded();
}

} // namespace

// libmspack does all its input and output through this table of functions; ours reads the
// help file from memory and writes extracted entries into a capped buffer.
struct ChmMemorySystem
{
    // The library hands back a pointer to the table; the owner pointer next to it leads to us.
    struct Table
    {
        mspack_system base;
        ChmMemorySystem *owner;
    };
    Table table{};
    QByteArray data;
    QByteArray sink;
    qint64 sinkLimit = 0;
};

namespace {

struct MemoryFile
{
    ChmMemorySystem *system = nullptr;
    bool writing = false;
    qint64 position = 0;
};

} // namespace

namespace {

struct Callbacks
{
    using System = ChmMemorySystem;

    static System *systemOf(mspack_system *self)
    {
        return reinterpret_cast<System::Table *>(self)->owner;
    }
    static MemoryFile *fileOf(mspack_file *file) { return reinterpret_cast<MemoryFile *>(file); }

    static mspack_file *open(mspack_system *self, const char *filename, int mode)
    {
        System *system = systemOf(self);
        const bool reading = mode == MSPACK_SYS_OPEN_READ && std::strcmp(filename, SourceName) == 0;
        const bool writing = mode == MSPACK_SYS_OPEN_WRITE && std::strcmp(filename, SinkName) == 0;
        if (!reading && !writing) {
            return nullptr;
        }
        auto *file = static_cast<MemoryFile *>(std::calloc(1, sizeof(MemoryFile)));
        if (file == nullptr) {
            return nullptr;
        }
        file->system = system;
        file->writing = writing;
        if (writing) {
            system->sink.clear();
        }
        return reinterpret_cast<mspack_file *>(file);
    }

    static void close(mspack_file *file) { std::free(fileOf(file)); }

    static int read(mspack_file *handle, void *buffer, int bytes)
    {
        MemoryFile *file = fileOf(handle);
        if (file->writing || bytes < 0) {
            return -1;
        }
        const QByteArray &data = file->system->data;
        const qint64 available = qMax<qint64>(0, data.size() - file->position);
        const qint64 count = qMin<qint64>(bytes, available);
        if (count > 0) {
            std::memcpy(buffer, data.constData() + file->position, size_t(count));
            file->position += count;
        }
        return int(count);
    }

    static int write(mspack_file *handle, void *buffer, int bytes)
    {
        MemoryFile *file = fileOf(handle);
        System *system = file->system;
        if (!file->writing || bytes < 0 || system->sink.size() + bytes > system->sinkLimit) {
            return -1;
        }
        system->sink.append(static_cast<const char *>(buffer), bytes);
        return bytes;
    }

    static int seek(mspack_file *handle, off_t offset, int mode)
    {
        MemoryFile *file = fileOf(handle);
        const qint64 size = file->writing ? file->system->sink.size() : file->system->data.size();
        qint64 base = 0;
        switch (mode) {
        case MSPACK_SYS_SEEK_START:
            base = 0;
            break;
        case MSPACK_SYS_SEEK_CUR:
            base = file->position;
            break;
        case MSPACK_SYS_SEEK_END:
            base = size;
            break;
        default:
            return -1;
        }
        // Offsets come straight from the file: keep the sum inside the buffer before adding.
        if (offset < -base || offset > size - base) {
            return -1;
        }
        file->position = base + offset;
        return 0;
    }

    static off_t tell(mspack_file *handle) { return off_t(fileOf(handle)->position); }

    static void message(mspack_file *, const char *, ...) {}

    static void *alloc(mspack_system *, size_t bytes)
    {
        return bytes > MaxAllocation ? nullptr : std::malloc(bytes);
    }

    static void free(void *pointer) { std::free(pointer); }

    static void copy(void *source, void *destination, size_t bytes)
    {
        std::memcpy(destination, source, bytes);
    }
};

} // namespace

ChmFile::ChmFile() : m_system(std::make_unique<ChmMemorySystem>())
{
    m_system->table.owner = m_system.get();
    mspack_system &base = m_system->table.base;
    base.open = &Callbacks::open;
    base.close = &Callbacks::close;
    base.read = &Callbacks::read;
    base.write = &Callbacks::write;
    base.seek = &Callbacks::seek;
    base.tell = &Callbacks::tell;
    base.message = &Callbacks::message;
    base.alloc = &Callbacks::alloc;
    base.free = &Callbacks::free;
    base.copy = &Callbacks::copy;
    base.null_ptr = nullptr;
}

ChmFile::ChmFile(const QByteArray &path) : ChmFile()
{
    // The path is the system's bytes, which need not be valid in any encoding: open it as
    // such rather than through a QString.
    const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    QFile file;
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return;
    }
    if (status.st_size > MaxFileSize) {
        return;
    }
    // Read at most one byte past the limit, in case the file grows while we read it.
    QByteArray data = file.read(MaxFileSize + 1);
    if (data.size() > MaxFileSize) {
        return;
    }
    open(std::move(data));
}

std::unique_ptr<ChmFile> ChmFile::fromData(const QByteArray &data)
{
    std::unique_ptr<ChmFile> chm(new ChmFile());
    if (data.size() <= MaxFileSize) {
        chm->open(data);
    }
    return chm;
}

ChmFile::~ChmFile()
{
    if (m_decompressor != nullptr) {
        if (m_header != nullptr) {
            m_decompressor->close(m_decompressor, m_header);
        }
        mspack_destroy_chm_decompressor(m_decompressor);
    }
}

void ChmFile::open(QByteArray data)
{
    int selfTest = MSPACK_ERR_OK;
    MSPACK_SYS_SELFTEST(selfTest);
    if (selfTest != MSPACK_ERR_OK || data.isEmpty()) {
        return;
    }
    m_system->data = std::move(data);
    m_decompressor = mspack_create_chm_decompressor(&m_system->table.base);
    if (m_decompressor == nullptr) {
        return;
    }
    m_header = m_decompressor->open(m_decompressor, SourceName);
    if (m_header == nullptr) {
        return;
    }
    for (mschmd_file *list : {m_header->files, m_header->sysfiles}) {
        for (mschmd_file *entry = list; entry != nullptr; entry = entry->next) {
            if (entry->filename == nullptr) {
                continue;
            }
            const QString name = QString::fromUtf8(entry->filename);
            m_names.append(name);
            // The first of two entries with the same name wins, as a lookup would find it.
            m_entries.insert(folded(name), entry);
        }
    }
    // An index that lists nothing is no help file, whatever its headers say.
    if (m_entries.isEmpty()) {
        m_decompressor->close(m_decompressor, m_header);
        m_header = nullptr;
    }
}

bool ChmFile::contains(const QString &name) const
{
    return m_entries.contains(folded(name));
}

std::optional<QByteArray> ChmFile::read(const QString &name) const
{
    mschmd_file *entry = m_entries.value(folded(name));
    if (entry == nullptr || entry->section == nullptr || entry->offset < 0 || entry->length < 0 ||
        entry->length > MaxEntrySize) {
        return std::nullopt;
    }
    if (entry->length == 0) {
        return QByteArray();
    }
    m_system->sinkLimit = entry->length;
    m_system->sink.clear();
    const int result = m_decompressor->extract(m_decompressor, entry, SinkName);
    QByteArray bytes = std::move(m_system->sink);
    m_system->sink = QByteArray();
    if (result != MSPACK_ERR_OK || bytes.size() != entry->length) {
        return std::nullopt;
    }
    return bytes;
}
