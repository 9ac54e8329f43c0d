#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct mschm_decompressor;
struct mschmd_header;
struct mschmd_file;
struct ChmMemorySystem;

// A compiled HTML help file, read whole into memory and opened with libmspack.
//
// The file may be anything: every size that it states is checked before it is trusted, and
// entries are found through our own table of names, since the library's own lookup can loop
// forever on a crafted index.
class ChmFile
{
public:
    // Limits beyond which a file or one of its entries is refused rather than read.
    static constexpr qint64 MaxFileSize = qint64{256} * 1024 * 1024;
    static constexpr qint64 MaxEntrySize = qint64{32} * 1024 * 1024;

    // Reads and opens the file at the given 8-bit path; see isOpen().
    explicit ChmFile(const QByteArray &path);
    // Opens a file already in memory (for tests and for callers that have the bytes).
    static std::unique_ptr<ChmFile> fromData(const QByteArray &data);
    ~ChmFile();

    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    // True when the file is a readable help file with at least one entry.
    bool isOpen() const { return m_header != nullptr; }

    // Entry names as stored ("/index.html", "/#SYSTEM", "::DataSpace/..."), in file order.
    QStringList names() const { return m_names; }

    // Whether an entry exists; names compare without regard to case, as on the system the
    // format comes from.
    bool contains(const QString &name) const;

    // The entry's bytes, or nothing when it is missing, too large or does not decompress.
    std::optional<QByteArray> read(const QString &name) const;

private:
    ChmFile();
    void open(QByteArray data);

    std::unique_ptr<ChmMemorySystem> m_system;
    mschm_decompressor *m_decompressor = nullptr;
    mschmd_header *m_header = nullptr;
    QHash<QString, mschmd_file *> m_entries;
    QStringList m_names;
};
