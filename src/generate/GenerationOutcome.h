#pragma once

namespace pictaven {

// How one call of AlbumGenerator::generate() ended.
enum class GenerationOutcome {
    NotStarted,      // another generation held the control; nothing was reported
    Refused,         // the job cannot make an album; an error box said why before anything was written
    Failed,          // a page or a photo the pages show was not written; the status and boxes said what
    Cancelled,       // the Cancel request ended it
    PreviewFinished, // "Sneak Peek": the first index page with its photos is complete
    Finished,        // the whole album is complete
};

// The album (or its preview page) is complete.
constexpr bool succeeded(GenerationOutcome outcome)
{
    return outcome == GenerationOutcome::Finished || outcome == GenerationOutcome::PreviewFinished;
}

} // namespace pictaven
