#pragma once

#include "settings/AlbumSettings.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pictaven {

class BigIniFile;

// How a key's text becomes a field.
enum class FieldKind {
    FlagOne, // flag, set only when the stored number is 1 ("2" reads as clear)
    FlagNonZero, // flag, set by any non-zero number
    Integer, // int or colour; text that is not a number gives the default
    StrictInteger, // int whose text must convert, else the read stops with ConversionError
    RadioIndex, // index; above the last choice -> the last, below -1 -> -1
    ListIndex, // index; outside 0 .. choices-1 -> -1
    Text, // text or number text, kept as it stands
};

// In which reading mode a key is applied.
enum class ReadIn {
    BothModes, // templates and catalogs
    CatalogMode, // catalogs (and the reset when a catalog closes) only
};

// Who writes a key.
enum class WrittenBy {
    ConfigWriter, // writeConfigFile: templates and catalogs carry it
    CatalogWriter, // only the catalog writer: only catalogs carry it
    Nobody, // only hand-made templates carry it
};

// The values a number read from a file may take, both ends included.
struct NumberRange {
    std::int32_t lowest = INT32_MIN;
    std::int32_t highest = INT32_MAX;
};

// One key of the template and catalog files: where it lives, how it is read and written, and
// the AlbumSettings field that holds it.
struct AlbumSettingsField {
    using Member
        = std::variant<bool AlbumSettings::*, std::int32_t AlbumSettings::*, std::string AlbumSettings::*>;

    const char* name; // the field's name, e.g. "ThumbnailsPerRow"
    const char* section; // e.g. "Size"
    const char* key; // e.g. "Thumbnails Per Row"
    FieldKind kind;
    std::int32_t choices; // number of items of an index field, else 0
    ReadIn readIn;
    WrittenBy writtenBy;
    Member member;
    // Sizes are kept within what a page can show, so that no later sum or product overflows
    // and no page grows without bound: a number read outside becomes the nearer end. A number
    // text is bounded only when it is an integer; other text is kept for its user to refuse.
    NumberRange range;

    // Every key, in the order of the sections [Size], [Appearance], [FTP], [Generate Options],
    // [FTP Appearance] and of the keys within them.
    static const std::vector<AlbumSettingsField>& all();
    // The key of a field name; throws std::logic_error for an unknown name (a programming error).
    static const AlbumSettingsField& byName(std::string_view name);

    // Reads the key into `settings`, with the field's value in `defaults` as the default, and
    // brings a number into the field's range. Throws ConversionError for a StrictInteger key
    // whose text does not convert; the field is then unchanged.
    void read(const BigIniFile& ini, AlbumSettings& settings, const AlbumSettings& defaults) const;
    // Writes the field: flags "1" or "0", numbers in decimal, texts as held.
    void write(BigIniFile& ini, const AlbumSettings& settings) const;
    // The field's value as write() puts it into the file.
    std::string valueText(const AlbumSettings& settings) const;
    // `value` brought into the field's range.
    std::int32_t bounded(std::int32_t value) const;
};

} // namespace pictaven
