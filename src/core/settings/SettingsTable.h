#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

/** One entry of the settings table. */
struct SettingsEntry {
    qint32 number = 0;
    QString name;
    QString address;
    bool operator==(const SettingsEntry&) const = default;
};

/**
 * The program's settings: 501 entries held for the whole run and stored as raw bytes
 * in the settings file (per entry: 4-byte little-endian number, then name and address,
 * each as a 2-byte little-endian byte length and that many code page 932 bytes).
 *
 * A table read from bytes remembers each string's bytes: a string the program leaves as it
 * was read is written back with exactly those bytes, even when they are not valid code page
 * 932 or have two codes for one character, so a save never changes what the program did not.
 */
class SettingsTable {
public:
    static constexpr int EntryCount = 501;

    SettingsEntry& operator[](int index) { return m_entries[size_t(index)]; }
    const SettingsEntry& operator[](int index) const { return m_entries[size_t(index)]; }
    qint32 number(int index) const { return m_entries[size_t(index)].number; }
    void setNumber(int index, qint32 value) { m_entries[size_t(index)].number = value; }

    /** The table as the file stores it. A string longer than 65535 bytes is cut at a character boundary. */
    QByteArray toBytes() const;

    /** What reading a byte image found. */
    struct ReadResult {
        int completeEntries = 0;     ///< entries read whole
        qsizetype consumedBytes = 0; ///< bytes of the table image (all of them when incomplete); the rest is surplus
        bool complete = false;       ///< all 501 entries were present
    };
    /**
     * Reads a byte image. Complete fields are taken in order; the first field that runs
     * past the end stops reading, and everything from there keeps its initial value.
     */
    static SettingsTable fromBytes(QByteArrayView bytes, ReadResult* result = nullptr);

    /** Equal entries; the remembered bytes do not count. */
    bool operator==(const SettingsTable& other) const { return m_entries == other.m_entries; }

private:
    /** A string as read and the bytes it came from. */
    struct ReadField {
        QString text;
        QByteArray bytes;
    };
    struct ReadEntry {
        ReadField name;
        ReadField address;
    };

    std::array<SettingsEntry, EntryCount> m_entries{};
    std::array<ReadEntry, EntryCount> m_read{};
};

/** The settings file beside the program ("RudUZ.rvl"). */
class SettingsFile {
public:
    static constexpr char16_t FileName[] = u"RudUZ.rvl";
    /**
     * The largest settings file read whole: 8 MiB, hundreds of times a table of ordinary settings.
     * Of a larger file only the table at its start is read, and the bytes after it are not kept.
     */
    static constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

    explicit SettingsFile(QString path) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }

    /**
     * Loads the table (initial values where the file is short, empty or missing). A
     * missing file is created empty and a read-only one made writable by its owner.
     * Returns false with a message when an existing file cannot be read (a link, not a
     * regular file, a read error: save() then refuses to replace it) or is larger than
     * MaxFileBytes (the table at its start is loaded, and save() writes the table alone).
     */
    bool load(SettingsTable& table, QString* error = nullptr);

    /**
     * Writes the table over the start of the file atomically; bytes that followed the
     * complete table read by load() (or, without a load, found in the file now) stay after
     * it. Returns false with a message on failure.
     */
    bool save(const SettingsTable& table, QString* error = nullptr);

private:
    enum class State { NotRead, Read, Unreadable };

    /** What reading the file found: nothing, all of it, its first MaxFileBytes bytes, or a refusal. */
    enum class Image { Missing, Whole, Cut, Unreadable };

    Image readImage(QByteArray& bytes, QString* error);
    void takeSurplus(const QByteArray& bytes, Image image, SettingsTable* table);

    QString m_path;
    QByteArray m_surplus;
    State m_state = State::NotRead;
};
