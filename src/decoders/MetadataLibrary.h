#pragma once

namespace pictaven {

// Readies exiv2 once for the whole program before any thread uses it: its XMP parser must be
// set up before two threads parse at once, and its warnings about odd blocks go nowhere, as
// every caller decides itself what a damaged block means.
void prepareMetadataLibrary();

} // namespace pictaven
