#include "generate/AlbumGenerator.h"

#include "decoders/PictureLoader.h"
#include "generate/AtomicFile.h"
#include "generate/GeneratedFile.h"
#include "generate/HeapReuse.h"
#include "generate/IndexPageWriter.h"
#include "generate/OrderedWorkers.h"
#include "generate/OutputFolderRecord.h"
#include "generate/PageGridRules.h"
#include "generate/PhotoRenderer.h"
#include "generate/ResponsiveAlbum.h"
#include "generate/ResponsivePageWriter.h"
#include "generate/ResponsiveSizeRenderer.h"
#include "generate/ShortAlbumName.h"
#include "generate/SupportFileCheck.h"
#include "generate/ThumbnailCell.h"
#include "generate/ThumbnailRenderer.h"
#include "imaging/Bitmap.h"
#include "ini/FilePaths.h"
#include "ini/IoError.h"
#include "settings/TemplateList.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <pwd.h>
#include <set>
#include <thread>
#include <unistd.h>
#include <utility>

namespace pictaven {

namespace fs = std::filesystem;

const char* const AlbumGenerator::missingPhotosText =
    "Some photos in the Catalog file no longer exist.\r\nThis can happen if you have renamed a file or if you have\r\n"
    "renamed a folder and thus invalidated the photo's pathname.\r\nYou may want to consider removing these photos "
    "and adding them again.\r\nSome files will not be copied to the Output Folder.";

namespace {

constexpr const char* failureStatus = "Failure or User Cancellation occurred";

// Copies over an existing file; a file that cannot be copied is left out.
void copyOver(const std::string& from, const std::string& to)
{
    if (!isFile(from))
        return;
    try {
        GeneratedFile::copy(from, to);
    } catch (const std::exception&) {
    }
}

bool sameFolder(const std::string& folder, const std::string& other)
{
    std::error_code ignored;
    return !folder.empty() && fs::equivalent(folder, other, ignored);
}

// The person's home folder: $HOME, or the password database's entry when it is not set.
std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

// At most this many photos are named in the box about photos that could not be rendered.
constexpr std::size_t namedUnrendered = 10;

std::string percentText(long long percent)
{
    return std::to_string(percent) + " %";
}

// The renderer's failure reports of the photo a thread is working on, shown in album order.
thread_local std::vector<std::string>* t_photoMessages = nullptr;

// Makes the thumbnail of a photo's source on the worker that decoded it, as the page will make
// it: its shape does not depend on where the cell is. What fails is left to the page, which
// makes it again and reports it in its place.
void makeThumbnailAhead(const ThumbnailRenderer& thumbnails, const AlbumSettings& settings, const FileStorage& photo,
                        ThumbnailSource& source)
{
    if (source.width == 0 || source.height == 0)
        return;
    try {
        const ThumbnailCell cell = ThumbnailCell::place(settings, 0, 0, source.width, source.height, photo.Rotation);
        source.thumbnail = thumbnails.makeThumbnailBitmap(source.preShrunk, cell.thumbnail, cell.fittedWidth,
                                                          cell.fittedHeight, photo.Rotation, photo.Mirrored);
        source.preShrunk = Bitmap();
    } catch (const std::exception&) {
        source.thumbnail.reset();
    }
}

} // namespace

AlbumGenerator::AlbumGenerator(AlbumJob job, GenerationEvents events, GenerationControl& control, int jobs)
    : m_job(std::move(job))
    , m_events(std::move(events))
    , m_control(control)
    , m_jobs(jobs > 0 ? jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency())))
    , m_names(m_job.settings)
    , m_photoNames(m_names.distinctPhotoNames(m_job.photos))
{
}

std::string AlbumGenerator::entryPagePath() const
{
    // A responsive album has no frame-set page.
    return ShortAlbumName::paths(m_job.outputFolder, m_job.settings.AlbumShortName)
        .entryPage(m_job.settings.MultiWindow && !ResponsiveAlbum::chosen(m_job));
}

std::string AlbumGenerator::refusal() const
{
    const AlbumSettings& settings = m_job.settings;
    if (settings.ThumbnailsPerRow < 1 || settings.RowsPerPage < 1)
        return "The album cannot be divided into index pages: \"Thumbnails Per Row\" is " +
               std::to_string(settings.ThumbnailsPerRow) + " and \"Rows Per Page\" is " +
               std::to_string(settings.RowsPerPage) + ". Set both to 1 or more in the preferences.";
    if (const std::string problem = ShortAlbumName::problem(settings.AlbumShortName); !problem.empty())
        return problem;
    if (m_job.photos.empty())
        return "The album has no photos. Add photos on step 1 before generating the album.";
    if (const std::string problem = PhotoRenderer::resizeProblem(settings); !problem.empty())
        return problem;
    std::error_code error;
    if (m_job.outputFolder.empty() || !fs::is_directory(m_job.outputFolder, error))
        return "The output folder " + m_job.outputFolder + " does not exist. Choose another one on step 3.";
    if (const std::string refused = outputFolderRefusal(); !refused.empty())
        return refused;
    // Clearing and overwriting the output folder would destroy the user's own photos there.
    for (const FileStorage& photo : m_job.photos) {
        const fs::path folder = fs::path(photo.SourcePath).parent_path();
        if (fs::equivalent(folder, m_job.outputFolder, error))
            return "The output folder " + m_job.outputFolder + " holds the photo " + photo.SourcePath +
                   ". Choose another output folder on step 3.";
    }
    // Found out now rather than after every photo has been rendered for nothing.
    try {
        const AtomicFile probe(m_job.outputFolder + "pictaven-write-test");
    } catch (const IoError& failure) {
        return "The output folder " + m_job.outputFolder + " cannot be written (" + failure.reason() +
               "). Choose another one on step 3.";
    }
    return {};
}

std::string AlbumGenerator::outputFolderRefusal() const
{
    // Generation replaces files of the album's names there, and the person's own files in such a
    // folder could carry those names.
    const std::string& folder = m_job.outputFolder;
    const std::string advice = " Choose a folder of its own for the album on step 3.";
    if (sameFolder("/", folder))
        return "The output folder " + folder + " is the root folder." + advice;
    if (sameFolder(homeFolder(), folder))
        return "The output folder " + folder + " is your home folder." + advice;
    if (sameFolder(m_job.programFolder, folder))
        return "The output folder " + folder + " is the program's folder, which holds its settings." + advice;
    if (!m_job.catalogPath.empty() && sameFolder(fs::path(m_job.catalogPath).parent_path().string(), folder))
        return "The output folder " + folder + " holds the catalog " + m_job.catalogPath + "." + advice;
    return {};
}

GenerationOutcome AlbumGenerator::generate()
{
    if (!m_control.tryBegin())
        return GenerationOutcome::NotStarted;
    struct Release {
        GenerationControl& control;
        ~Release() { control.end(); }
    } release{m_control};

    if (const std::string refused = refusal(); !refused.empty()) {
        m_events.showError(refused);
        return GenerationOutcome::Refused;
    }

    bool pagesWritten = false;
    const HeapReuse heapReuse;
    try {
        if (m_job.settings.DeleteFolder)
            clearOutputFolder();
        else
            OutputFolderRecord(m_job.outputFolder).removeLeftovers();
        renderPhotos();
        if (m_missingPhotos)
            m_events.showError(missingPhotosText);
        pagesWritten = generateHTML();
        if (m_job.settings.CDROM && !m_job.photos.empty())
            copyOver(entryPagePath(), m_job.outputFolder + "__INDEX.HTM");
    } catch (const std::exception& error) {
        // A failure nobody hears of would leave the user guessing why the album is incomplete.
        m_events.logMessage(error.what());
        m_events.status(failureStatus);
        m_job.rerenderPhotos = true;
        pagesWritten = false;
    }
    writeRecord();
    if (!pagesWritten)
        return m_cancelled ? GenerationOutcome::Cancelled : GenerationOutcome::Failed;
    m_job.rerenderPhotos = false;
    return m_job.settings.SneakPeek ? GenerationOutcome::PreviewFinished : GenerationOutcome::Finished;
}

void AlbumGenerator::writeRecord() const
{
    if (m_renderRecord) {
        try {
            m_renderRecord->save();
        } catch (const std::exception&) {
            // The record of the checks stays, which claims no file this run wrote.
        }
    }
    // The run appended to the record as it went; rewritten in name order, it holds each name
    // once and is the same whatever the number of jobs. A record that cannot be rewritten keeps
    // the appended names, which list the same files.
    try {
        OutputFolderRecord(m_job.outputFolder).save();
    } catch (const std::exception&) {
    }
}

void AlbumGenerator::prepare()
{
    if (m_prepared)
        return;
    m_prepared = true;
    reportRenamedPhotos();
    leaveOutUnfitFiles();
    // A video is published upright as its file says; a turn from the catalog would turn only
    // its thumbnail and poster.
    for (FileStorage& item : m_job.photos) {
        if (VideoPublisher::isVideo(item)) {
            item.Rotation = 0;
            item.Mirrored = false;
        }
    }
    checkRenderedFiles();
}

void AlbumGenerator::checkRenderedFiles()
{
    const std::size_t count = m_job.photos.size();
    const PhotoRenderer renderer(m_job, m_job.compression2, nullptr);
    const ThumbnailRenderer thumbnails(m_job, GenerationEvents{});
    m_renderRecord.emplace(m_job.outputFolder);
    m_photoRecipes.assign(count, {});
    m_thumbnailRecipes.assign(count, {});
    m_photoCurrent.assign(count, false);
    m_thumbnailCurrent.assign(count, false);
    m_sourceStates.assign(count, {});
    for (std::size_t i = 0; i < count; ++i) {
        const FileStorage& photo = m_job.photos[i];
        m_photoRecipes[i] = renderer.recipe(photo, m_photoNames[i]);
        m_photoCurrent[i] =
            m_renderRecord->current(m_names.webFileName(m_photoNames[i]), photo.SourcePath, m_photoRecipes[i]);
        // A picture album draws its thumbnails onto the album pictures, which are made anew.
        if (m_job.basicAlbum()) {
            FileStorage rendered = photo;
            renderer.markRendered(rendered, m_photoNames[i]);
            m_thumbnailRecipes[i] = thumbnails.recipe(rendered);
            m_thumbnailCurrent[i] = m_renderRecord->current(m_names.thumbnailFileName(m_photoNames[i]),
                                                            photo.SourcePath, m_thumbnailRecipes[i]);
        }
    }
    m_videoPublisher.emplace(m_job, m_names, *m_renderRecord);
    m_videoPublisher->check(m_job.photos, m_photoNames);
    // What is rewritten from here on leaves the record first, so that a run killed part way
    // leaves no entry for a file it had begun.
    try {
        m_renderRecord->save();
    } catch (const std::exception&) {
        // A file written again is another file, which the old entry does not match.
    }
}

void AlbumGenerator::clearOutputFolder()
{
    prepare();
    std::set<std::string> photoFiles;
    // Every page phase that is not a preview writes the photos' pages again, each replacing the
    // old one whole; deleting them first would only cost time.
    std::set<std::string> photoPages;
    for (const std::string& photoName : m_photoNames) {
        photoFiles.insert(m_names.webFileName(photoName));
        if (!m_job.settings.SneakPeek)
            photoPages.insert(m_names.photoPageFileName(photoName));
    }

    OutputFolderRecord record(m_job.outputFolder);
    record.removeLeftovers();
    record.clear([&](const std::string& name) {
        const bool albumPhoto = photoFiles.contains(m_names.webFileName(name));
        return (albumPhoto && !m_job.smartRender) || m_renderRecord->lists(name) || photoPages.contains(name);
    });
    try {
        record.save();
    } catch (const std::exception&) {
        // The names of deleted files stay listed; a later clearing passes over them.
    }
}

void AlbumGenerator::writeAutorun() const
{
    const std::string entry = OutputNames::fileNamePart(entryPagePath());
    try {
        GeneratedFile::writeBytes(m_job.outputFolder + "AUTORUN.INF",
                                  "[autorun]\r\nopen=winopen /max \\" + entry + "\r\n");
    } catch (const std::exception&) {
        // Skipped without a message, as a file that cannot be copied is.
    }
    copyOver(m_job.programFolder + "WINOPEN.EXE", m_job.outputFolder + "WINOPEN.EXE");
}

void AlbumGenerator::copySupportFiles() const
{
    // Every support file keeps one name, its web file name, in the output folder, in the pages
    // that refer to it and on the server.
    const AlbumSettings& settings = m_job.settings;
    auto copyIn = [this](const std::string& path) {
        if (!path.empty())
            copyOver(path, m_job.outputFolder + m_names.webFileName(OutputNames::fileNamePart(path)));
    };
    // The textures and the style sheet were checked by leaveOutUnfitFiles.
    copyIn(m_job.photoPageTexture);
    copyIn(m_job.indexPageTexture);
    if (settings.StyleSheetType == 1)
        copyIn(settings.StyleSheet);
    if (settings.ButtonType > 0) {
        copyIn(settings.NextButtonImage);
        copyIn(settings.PrevButtonImage);
        copyIn(settings.IndexButtonImage);
        copyIn(settings.HomeButtonImage);
    }
    // A responsive album's pages draw their own controls.
    if (ResponsiveAlbum::chosen(m_job))
        return;
    for (const char* image : {"home.gif", "first.gif", "prev.gif", "next.gif", "last.gif", "speaker.gif"})
        copyIn(m_job.programFolder + "NAVBUTS/" + image);
}

void AlbumGenerator::leaveOutUnfitFiles()
{
    // A file the catalog names that is not what it is named as is neither copied nor linked.
    auto check = [this](std::string& path, SupportFileCheck::Kind kind) {
        if (path.empty())
            return;
        if (const std::string refused = SupportFileCheck::refusal(path, kind); !refused.empty()) {
            m_events.logMessage(refused);
            path.clear();
        }
    };
    check(m_job.photoPageTexture, SupportFileCheck::Kind::Picture);
    check(m_job.indexPageTexture, SupportFileCheck::Kind::Picture);
    AlbumSettings& settings = m_job.settings;
    if (settings.StyleSheetType == 1) {
        check(settings.StyleSheet, SupportFileCheck::Kind::StyleSheet);
        // The pages then carry the built-in style block instead of a link to nothing.
        if (settings.StyleSheet.empty())
            settings.StyleSheetType = 0;
    }
    // The watermark is only drawn, never copied; this says why the photos have none.
    if (settings.WatermarkType == 2)
        check(settings.WatermarkImage, SupportFileCheck::Kind::Picture);
    std::map<std::string, std::string> audioFiles; // each one checked once: path -> what is left of it
    for (FileStorage& photo : m_job.photos) {
        if (photo.AudioFile.empty())
            continue;
        const auto [checked, first] = audioFiles.try_emplace(photo.AudioFile, photo.AudioFile);
        if (first)
            check(checked->second, SupportFileCheck::Kind::Audio);
        photo.AudioFile = checked->second;
    }
}

void AlbumGenerator::reportRenamedPhotos() const
{
    std::string renamed;
    for (std::size_t i = 0; i < m_job.photos.size(); ++i) {
        const FileStorage& photo = m_job.photos[i];
        if (m_photoNames[i] != OutputNames::ownPhotoName(photo))
            renamed += "\r\n" + photo.SourcePath + " is " + m_names.webFileName(m_photoNames[i]);
    }
    if (!renamed.empty())
        m_events.logMessage("Some photos have the file name of another photo of the album and get another name in it:" +
                            renamed);
}

bool AlbumGenerator::renderPhotos()
{
    const AlbumSettings& settings = m_job.settings;
    const bool renderAll = m_job.smartRender && m_job.rerenderPhotos;
    if (renderAll)
        m_events.status("Rendering photos..");
    if (settings.CDROM)
        writeAutorun();
    prepare();

    const std::size_t count = m_job.photos.size();
    const bool preview = settings.SneakPeek;
    const long long pageSize = static_cast<long long>(settings.RowsPerPage) * settings.ThumbnailsPerRow;
    // In preview mode photos 0 up to the page size are rendered, one more than the page shows.
    const std::size_t rendered =
        preview ? std::min<std::size_t>(count, static_cast<std::size_t>(std::max(pageSize, 0LL)) + 1) : count;
    const auto videoCount = static_cast<std::size_t>(std::count_if(
        m_job.photos.begin(), m_job.photos.begin() + static_cast<std::ptrdiff_t>(rendered), VideoPublisher::isVideo));
    // With videos the bar counts hundredths of an item, so that it moves during a conversion.
    const long long barScale = videoCount > 0 ? 100 : 1;
    const long long barTotal = static_cast<long long>(rendered) * barScale;
    startProgress(barTotal);

    const PhotoRenderer renderer(m_job, m_job.compression2, [](const std::string& message) {
        if (t_photoMessages)
            t_photoMessages->push_back(message);
    });
    const ThumbnailRenderer thumbnails(m_job, GenerationEvents{});
    // A responsive album makes its thumbnails and further sizes with each photo.
    std::optional<ResponsiveSizeRenderer> responsiveSizes;
    if (ResponsiveAlbum::chosen(m_job))
        responsiveSizes.emplace(m_job);

    // Photos that share an audio copy are rendered one after the other in album order, so the
    // files end as a one-thread run leaves them.
    std::vector<std::vector<std::size_t>> dependsOn(rendered);
    std::map<std::string, std::size_t> lastUser;
    for (std::size_t i = 0; i < rendered; ++i) {
        const FileStorage& photo = m_job.photos[i];
        std::vector<std::string> files = {m_job.outputFolder + m_names.webFileName(m_photoNames[i])};
        if (!photo.AudioFile.empty())
            files.push_back(m_job.outputFolder + m_names.webFileName(OutputNames::fileNamePart(photo.AudioFile)));
        for (const std::string& file : files) {
            const auto [at, first] = lastUser.try_emplace(file, i);
            if (!first && at->second != i) {
                dependsOn[i].push_back(at->second);
                at->second = i;
            }
        }
    }

    std::vector<std::vector<std::string>> messages(rendered);
    std::vector<std::string> failures(rendered);
    // Workers hand back the sources of the photos they decode; the loop below keeps them in
    // album order until the first one beyond the budget, so the choice does not depend on the
    // thread timing. After that the workers stop asking, as a copied photo is decoded only for it.
    const bool keepSources = m_thumbnailCacheBudget > 0 && !responsiveSizes;
    std::vector<std::optional<ThumbnailSource>> handedBack(keepSources ? rendered : 0);
    m_thumbnailSources.reset(keepSources ? rendered : 0, m_thumbnailCacheBudget, m_job.outputFolder);
    std::atomic<bool> budgetSpent = !keepSources;
    // Photos differ in size; letting the workers run some photos ahead, the largest first, keeps
    // them all busy while a large photo holds up the one the statuses wait for, and leaves no
    // large photo decoding alone at the end. The window bounds the sources waiting to be kept.
    std::vector<std::uint64_t> fileSizes(rendered);
    for (std::size_t i = 0; i < rendered; ++i) {
        std::error_code unknown;
        const std::uintmax_t size = fs::file_size(m_job.photos[i].SourcePath, unknown);
        fileSizes[i] = unknown ? 0 : size;
    }
    const std::size_t lookahead = std::max<std::size_t>(4 * static_cast<std::size_t>(m_jobs), 32);
    std::vector<char> renderedNow(rendered, false);
    auto copyAudio = [this](const FileStorage& photo) {
        if (!photo.AudioFile.empty())
            copyOver(photo.AudioFile,
                     m_job.outputFolder + m_names.webFileName(OutputNames::fileNamePart(photo.AudioFile)));
    };
    OrderedWorkers workers(
        rendered, m_jobs, lookahead, std::move(dependsOn),
        [&](std::size_t i) {
            FileStorage& photo = m_job.photos[i];
            if (VideoPublisher::isVideo(photo)) {
                // Published by the loop below, one video at a time.
                copyAudio(photo);
                return;
            }
            t_photoMessages = &messages[i];
            const bool renderFile = m_job.smartRender
                                        ? !m_photoCurrent[i]
                                        : !isFile(m_job.outputFolder + m_names.webFileName(m_photoNames[i]));
            const bool makeThumbnail = !m_thumbnailCurrent[i];
            if (renderFile || makeThumbnail)
                m_sourceStates[i] = m_renderRecord->sourceState(photo.SourcePath);
            std::optional<ThumbnailSource>* handBack = makeThumbnail && !budgetSpent.load() ? &handedBack[i] : nullptr;
            if (renderFile) {
                failures[i] = renderer.renderPhoto(photo, m_photoNames[i], handBack);
                renderedNow[i] = true;
            } else {
                renderer.markRendered(photo, m_photoNames[i]);
                // Loaded here, on the workers; what fails is loaded again and reported by its page.
                bool missing = false;
                if (handBack)
                    *handBack = thumbnails.loadThumbnailSource(photo, missing);
            }
            if (keepSources && handedBack[i])
                makeThumbnailAhead(thumbnails, settings, photo, *handedBack[i]);
            // The further sizes are made with settings of their own, which the record does not cover.
            if (responsiveSizes && failures[i].empty() && isFile(photo.SourcePath))
                failures[i] = responsiveSizes->render(photo, m_photoNames[i], renderFile || renderAll);
            t_photoMessages = nullptr;
            copyAudio(photo);
        },
        std::move(fileSizes));

    const std::string total = std::to_string(count);
    std::size_t videoNumber = 0;
    std::size_t photosRendered = 0;
    bool missing = false;
    m_missingPhotos = false;
    m_unrenderedPhotos.clear();
    for (std::size_t i = 0; i < count; ++i) {
        m_events.status("Rendering photo " + std::to_string(i + 1) + " of " + total);
        if (i >= rendered)
            break;
        if (m_control.cancelRequest().load())
            return false;
        if (!isFile(m_job.photos[i].SourcePath))
            missing = true;
        workers.await(i);
        for (const std::string& message : messages[i]) {
            m_events.logMessage(message);
        }
        messages[i].clear();
        if (VideoPublisher::isVideo(m_job.photos[i])) {
            failures[i] = publishVideo(i, ++videoNumber, videoCount, barTotal);
            if (m_control.cancelRequest().load())
                return false;
            renderedNow[i] = failures[i].empty() && !m_videoPublisher->keptLast();
            if (responsiveSizes && failures[i].empty())
                failures[i] = responsiveSizes->renderVideoThumbnails(m_job.photos[i], m_photoNames[i],
                                                                     m_job.videos[i].size, renderedNow[i] || renderAll);
        }
        if (!failures[i].empty())
            m_unrenderedPhotos.push_back(m_job.photos[i].SourcePath + ": " + failures[i]);
        else if (renderedNow[i])
            m_renderRecord->written(m_names.webFileName(m_photoNames[i]), m_job.photos[i].SourcePath, m_sourceStates[i],
                                    m_photoRecipes[i]);
        photosRendered += renderedNow[i] ? 1 : 0;
        if (keepSources && handedBack[i]) {
            if (budgetSpent.load() || !m_thumbnailSources.put(i, *handedBack[i]))
                budgetSpent = true;
            handedBack[i].reset();
        }
        showProgress(static_cast<long long>(i + 1) * barScale, barTotal);
    }
    workers.stop();

    m_events.status("Photos rendered: " + std::to_string(photosRendered) +
                    ", kept: " + std::to_string(rendered - photosRendered));
    copySupportFiles();
    m_missingPhotos = missing;
    return !missing;
}

std::string AlbumGenerator::publishVideo(std::size_t i, std::size_t number, std::size_t count, long long barTotal)
{
    const std::string which = "Converting video " + std::to_string(number) + " of " + std::to_string(count) + ", ";
    long long shown = -1;
    auto progress = [&](double done) {
        const auto percent = static_cast<long long>(std::clamp(done, 0.0, 1.0) * 100);
        if (percent != shown) {
            shown = percent;
            m_events.status(which + percentText(percent));
            showProgress(static_cast<long long>(i) * 100 + percent, barTotal);
        }
    };
    try {
        m_job.videos[i] = m_videoPublisher->publish(i, progress, m_control.cancelRequest());
        return {};
    } catch (const VideoCancelled& cancelled) {
        m_job.videos.erase(i);
        return cancelled.what();
    } catch (const std::exception& failure) {
        m_job.videos.erase(i);
        return failure.what();
    }
}

bool AlbumGenerator::generateHTML()
{
    m_events.status("Generating Photo Album");
    m_indexPageList.clear();
    m_albumPictureList.clear();
    m_albumGenerated = false;
    m_cancelled = false;
    m_pagePhaseRan = true;
    // The kept sources are freed when the page phase ends, however it ends.
    struct Release {
        ThumbnailSourceSpool& sources;
        ~Release() { sources.reset(0, 0); }
    } release{m_thumbnailSources};
    return runPageLoop();
}

bool AlbumGenerator::runPageLoop()
{
    if (ResponsiveAlbum::chosen(m_job))
        return writeResponsivePages();
    AlbumSettings& settings = m_job.settings;
    std::optional<Bitmap> background;
    PageGrid grid;
    if (m_job.basicAlbum()) {
        grid = basicPageGrid(settings);
    } else {
        const std::string path =
            TemplateList::templateFile(m_job.programFolder + "ALBUMS/", m_job.templateName, ".bmp");
        try {
            background = loadPicture(path);
        } catch (const std::exception& error) {
            m_events.logMessage(std::string("Running low on resources - could not load graphic.\r\nYou will "
                                            "need to free some system resources to continue.\r\n") +
                                error.what());
            return false;
        }
        grid = graphicalPageGrid(settings, background->width(), background->height());
        if (pageSizeOf(grid) == 0) {
            m_events.showError("An error was detecting - Album is not large enough to display thumbnails");
            return false;
        }
    }

    const long long pageSize = pageSizeOf(grid);
    const long long count = static_cast<long long>(m_job.photos.size());
    const bool preview = settings.SneakPeek;
    const long long totalPages = preview ? 1 : (count + pageSize - 1) / pageSize;
    const std::string& shortName = settings.AlbumShortName;
    const std::string& folder = m_job.outputFolder;
    auto indexPage = [&](long long k) {
        return folder + OutputNames::indexPageFileName(shortName, static_cast<int>(k));
    };

    startProgress(count);
    IndexPageWriter writer(m_job, grid, background ? &*background : nullptr, m_events, m_control.cancelRequest());
    writer.setThumbnailSources([this](std::size_t photoIndex) { return m_thumbnailSources.take(photoIndex); });
    if (m_renderRecord) {
        writer.setKeptThumbnails([this](std::size_t i) { return m_thumbnailCurrent[i] != 0; },
                                 [this](std::size_t i) {
                                     m_renderRecord->written(m_names.thumbnailFileName(m_photoNames[i]),
                                                             m_job.photos[i].SourcePath, m_sourceStates[i],
                                                             m_thumbnailRecipes[i]);
                                 });
    }
    for (long long k = 1; (k - 1) * pageSize < count; ++k) {
        const long long first = (k - 1) * pageSize;
        IndexPageArguments page;
        page.firstPhoto = static_cast<int>(first);
        page.endPhoto = static_cast<int>(std::min(first + pageSize, static_cast<long long>(INT32_MAX)));
        page.totalPages = static_cast<int>(totalPages);
        page.pageNumber = static_cast<int>(k);
        page.thisPage = indexPage(k);
        page.firstPage = indexPage(1);
        page.lastPage = preview ? std::string() : indexPage(totalPages);
        page.previousPage = k == 1 ? std::string() : indexPage(k - 1);
        page.nextPage = !preview && first + pageSize < count ? indexPage(k + 1) : std::string();
        page.albumPicture = folder + OutputNames::albumPictureFileName(shortName, static_cast<int>(k));
        m_indexPageList.push_back(page.thisPage);
        m_albumPictureList.push_back(page.albumPicture);

        const bool written = writer.createAlbumPage(page);
        if (m_control.cancelRequest().exchange(false)) {
            m_cancelled = true;
            return false;
        }
        if (!written) {
            m_cancelled = writer.cancelled();
            m_events.status(failureStatus);
            m_job.rerenderPhotos = true;
            return false;
        }
        if (preview)
            break;
    }
    return finishPagePhase(count);
}

bool AlbumGenerator::writeResponsivePages()
{
    const AlbumSettings& settings = m_job.settings;
    const auto count = static_cast<long long>(m_job.photos.size());
    const long long pageSize = static_cast<long long>(settings.RowsPerPage) * settings.ThumbnailsPerRow;
    // A preview shows what one page of a classic album would.
    const long long shown = settings.SneakPeek ? std::min(count, pageSize) : count;
    const std::string indexPage = m_job.outputFolder + OutputNames::indexPageFileName(settings.AlbumShortName, 1);
    m_indexPageList.push_back(indexPage);
    startProgress(shown);
    ResponsivePageWriter writer(m_job, m_photoNames, m_events, m_control.cancelRequest());
    if (!writer.write(static_cast<std::size_t>(shown), indexPage)) {
        m_cancelled = writer.cancelled();
        m_events.status(failureStatus);
        m_job.rerenderPhotos = true;
        return false;
    }
    return finishPagePhase(shown);
}

bool AlbumGenerator::finishPagePhase(long long count)
{
    const bool preview = m_job.settings.SneakPeek;
    showProgress(count, count);
    // The pages link to every photo; an album missing some of them is not finished.
    if (!m_unrenderedPhotos.empty()) {
        m_events.logMessage(unrenderedText());
        m_events.status(failureStatus);
        m_job.rerenderPhotos = true;
        return false;
    }
    m_events.status(preview ? "Sneak Peek Preview Page Finished" : "Finished generating photo album!");
    m_albumGenerated = !preview;
    return true;
}

void AlbumGenerator::startProgress(long long total) const
{
    m_events.progressRange(0, static_cast<int>(std::min<long long>(total, INT32_MAX)));
    showProgress(0, total);
}

void AlbumGenerator::showProgress(long long done, long long total) const
{
    m_events.progressPosition(static_cast<int>(std::min<long long>(done, INT32_MAX)));
    m_events.percentage(percentText(total > 0 ? done * 100 / total : 100));
}

std::string AlbumGenerator::unrenderedText() const
{
    std::string text = "These photos could not be rendered, so the album is not complete:";
    for (std::size_t i = 0; i < m_unrenderedPhotos.size() && i < namedUnrendered; ++i)
        text += "\r\n" + m_unrenderedPhotos[i];
    if (m_unrenderedPhotos.size() > namedUnrendered)
        text += "\r\nand " + std::to_string(m_unrenderedPhotos.size() - namedUnrendered) + " more.";
    return text;
}

} // namespace pictaven
