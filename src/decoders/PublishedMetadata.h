#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace pictaven {

// What of a photo's metadata the published copies in the output folder carry.
enum class PublishedMetadata {
    None,          // "none"
    AllButPrivate, // "all but location and serial numbers": nothing that privateKind names, no maker notes
    All,           // "all"
};

// The choices as the album settings offer them, in the order of the enum.
inline constexpr const char* publishedMetadataCaptions[] = {"none", "all but location and serial numbers", "all"};

// A catalog written before the setting existed has none: its rendered photos carry no metadata,
// as they always did, and its copied photos everything but their location.
using MetadataChoice = std::optional<PublishedMetadata>;

// The metadata of a photo file could not be filtered: it must not be published as it is.
class MetadataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Brings the metadata of a photo file that is published as it is, at `path`, in line with
// `choice`, without decoding its pixels; the file is rewritten only when something goes. Unless
// everything is kept, a JPEG file loses what cannot be filtered entry by entry (extended XMP, MPF
// and vendor blocks, whatever follows the picture), a PNG file every chunk but its picture's, its
// kept entries written back, and a GIF file its comments and application blocks but looping.
// Returns whether it was. Throws MetadataError naming the file when it cannot be done, so that
// no photo is published with what it should not carry.
bool keepPublishedMetadata(const std::string& path, MetadataChoice choice);

// Gives the freshly encoded JPEG file `jpeg`, `width` x `height` pixels drawn upright from the
// photo at `source`, the metadata of `source` that `choice` keeps, marked upright and of its new
// size, without the source's embedded preview. Metadata that cannot be read or written is left
// out: the picture itself is always published, `jpeg` as it was.
void carryPublishedMetadata(const std::string& source, std::string& jpeg, int width, int height, MetadataChoice choice);

} // namespace pictaven
