#pragma once

#include <functional>
#include <string>

namespace pictaven {

class Bitmap;

// What the conversion of one photo needs from the album being generated.
struct GraphicToJpegContext {
    std::string outputFolder; // ends with "/"
    int quality = 97;         // Compression2, 0 to 100
    // The name of the JPEG copy in the output folder, which page generation chooses.
    std::string fileName;
    // The error log: an error box and one error.log line (LogMessage).
    std::function<void(const std::string& message)> logMessage;
    // Writes the JPEG file (as writeJpeg does, and throwing as it does); empty for writeJpeg.
    std::function<void(const Bitmap& picture, const std::string& path, int quality)> writeJpeg;
};

// Converts a photo that browsers cannot show into a JPEG copy in the output folder. A source
// path that is a web format is left alone. Otherwise the file is read with the general picture
// loader (a failure is reported as "Error reading file <source>\r\n <reason>" and an empty
// picture goes on), `converted` is set, `workingPath` becomes the output folder + the context's
// file name, and the picture is
// written there at `quality`, over any file already there. A failure from that point on is
// reported as "Error converting [<source>] to JPEG \n\r<reason>", keeping `converted` and
// `workingPath` as already set. Nothing is thrown; every failure goes to `logMessage`.
void graphicToJpeg(const std::string& sourcePath, std::string& workingPath, bool& converted,
                   const GraphicToJpegContext& context);

// The file name of the JPEG copy before the web-name rule: the source's file name with its
// extension replaced by ".jpg".
std::string convertedFileName(const std::string& sourcePath);

} // namespace pictaven
