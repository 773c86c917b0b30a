#include "publish/UploadPlan.h"

#include "decoders/VideoFile.h"
#include "generate/OutputNames.h"
#include "generate/ResponsiveAlbum.h"
#include "ini/AsciiCase.h"
#include "ini/FilePaths.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace pictaven {

namespace {

// Fills the groups of one job's plan in upload order.
class Planner {
public:
    explicit Planner(const UploadJob& job)
        : m_job(job)
        , m_names(job.settings)
        , m_output(withTrailingSlash(job.outputFolder))
    {
        std::vector<std::string> ownNames;
        for (const UploadPhoto& photo : job.photos)
            ownNames.push_back(OutputNames::fileNamePart(photo.workingPath));
        // The names generation gave the photos' files, which differ where photos share a name.
        m_photoNames = m_names.distinctPhotoNames(ownNames);
        m_count = std::to_string(job.photos.size());
    }

    UploadPlan plan()
    {
        if (m_job.responsiveAlbum) {
            planResponsiveAlbum();
            return std::move(m_plan);
        }
        planVideos();
        if (m_job.settings.MultiWindow) {
            startGroup();
            add(m_job.framePage, "Uploading HTML doc [", "]");
        }
        planPages();
        planPhotoPages();
        planThumbnails();
        planImages();
        planPhotos();
        if (m_job.uploadAudio)
            planAudio();
        return std::move(m_plan);
    }

private:
    void planPages()
    {
        startGroup();
        if (m_job.settings.StyleSheetType == 1)
            addWithStatus(m_output + OutputNames::fileNamePart(m_job.settings.StyleSheet), "Uploading Style Sheet");
        for (const std::string& page : m_job.indexPages)
            add(page, "Uploading HTML doc [", "]");
    }

    void planPhotoPages()
    {
        startGroup();
        for (std::size_t j = 0; j < m_photoNames.size(); ++j) {
            if (m_photoNames[j].find('.') == std::string::npos)
                continue;
            // Named before the web-name rule, which finding the local file applies.
            const std::string page = OutputNames(false, false).photoPageFileName(m_photoNames[j]);
            add(m_output + page, "Uploading HTML doc " + std::to_string(j + 1) + " of " + m_count + " [", "]");
        }
    }

    void planThumbnails()
    {
        startGroup();
        if (!m_job.basicAlbum) {
            for (const std::string& picture : m_job.albumPictures)
                add(picture, "Uploading thumbnail [", "]");
            return;
        }
        for (std::size_t k = 0; k < m_photoNames.size(); ++k)
            add(m_output + m_names.thumbnailFileName(m_photoNames[k]),
                "Uploading Thumbnail " + std::to_string(k + 1) + " of " + m_count + " : [", "]");
    }

    // Textures, the style sheet and the buttons go from the copies that generation put into the
    // output folder under their web file names, which also exist where the names differ in case.
    void planImages()
    {
        startGroup();
        const AlbumSettings& settings = m_job.settings;
        if (!m_job.photoPageTexture.empty())
            add(copyOf(m_job.photoPageTexture), "Uploading texture : ");
        if (settings.ButtonType > 0) {
            if (isFile(localFile(copyOf(settings.IndexButtonImage))))
                add(copyOf(settings.IndexButtonImage), "Uploading Button : ");
            add(copyOf(settings.NextButtonImage), "Uploading Button : ");
            add(copyOf(settings.PrevButtonImage), "Uploading Button : ");
            if (settings.HomeButtonEnable)
                add(copyOf(settings.HomeButtonImage), "Uploading Button : ");
        }
        std::vector<std::string> fixedImages;
        if (settings.ButtonType != 7) {
            if (settings.HomeButtonEnable)
                fixedImages.push_back("home.gif");
            fixedImages.insert(fixedImages.end(), {"prev.gif", "next.gif"});
        }
        fixedImages.insert(fixedImages.end(), {"first.gif", "last.gif", "speaker.gif"});
        // One status line for all of them.
        for (std::size_t i = 0; i < fixedImages.size(); ++i)
            addWithStatus(m_output + fixedImages[i], "Uploading Navigation Buttons", i == 0);
        if (!m_job.indexPageTexture.empty())
            add(copyOf(m_job.indexPageTexture), "Uploading Texture : ");
    }

    // Videos take long to arrive: they and their posters go before the pages that show them.
    // An album without videos has no such group, and its upload stays as it was.
    void planVideos()
    {
        if (std::none_of(m_photoNames.begin(), m_photoNames.end(), isVideoPath))
            return;
        // Listed again there, so that a video the server has is left alone as a photo is.
        startGroup().listsAgain = true;
        for (std::size_t v = 0; v < m_photoNames.size(); ++v) {
            if (!isVideoPath(m_photoNames[v]))
                continue;
            const std::string number = std::to_string(v + 1) + " of " + m_count;
            add(m_output + m_names.videoPosterFileName(m_photoNames[v]), "Uploading Poster " + number + " : [", "]");
            add(m_output + m_names.videoFileName(m_photoNames[v]), "Uploading Video " + number + " : [", "]");
            m_plan.groups.back().steps.back().checkExisting = true;
        }
    }

    void planPhotos()
    {
        startGroup().listsAgain = true;
        for (std::size_t m = 0; m < m_photoNames.size(); ++m) {
            if (isVideoPath(m_photoNames[m]))
                continue;
            add(m_output + m_names.webFileName(m_photoNames[m]),
                "Uploading Photo " + std::to_string(m + 1) + " of " + m_count + " : [", "]");
            m_plan.groups.back().steps.back().checkExisting = true;
        }
    }

    // Only the copies that generation made go out: it copies no file that is not audio.
    void planAudio()
    {
        startGroup();
        for (const UploadPhoto& photo : m_job.photos) {
            if (photo.audioFile.empty())
                continue;
            const std::string copy = m_output + m_names.webFileName(OutputNames::fileNamePart(photo.audioFile));
            if (isFile(localFile(copy)))
                add(copy, "Uploading Audio File : [", "]");
        }
    }

    // The responsive album lists its own files in an order where no page comes before what it
    // shows; the person's own style sheet goes before them all.
    void planResponsiveAlbum()
    {
        startGroup().listsAgain = true;
        if (m_job.settings.StyleSheetType == 1)
            addWithStatus(m_output + OutputNames::fileNamePart(m_job.settings.StyleSheet), "Uploading Style Sheet");
        std::vector<std::string> audioFiles;
        for (const UploadPhoto& photo : m_job.photos)
            audioFiles.push_back(m_job.uploadAudio ? photo.audioFile : std::string());
        const ResponsiveAlbum album(m_names);
        std::set<std::string> photoFiles;
        for (const std::string& name : m_photoNames) {
            photoFiles.insert(isVideoPath(name) ? m_names.videoFileName(name) : m_names.webFileName(name));
            for (const int width : ResponsiveAlbum::ladderWidths)
                photoFiles.insert(album.sizeFileName(name, width));
        }
        const std::string indexPage = OutputNames::indexPageFileName(m_job.settings.AlbumShortName, 1);
        for (const std::string& name : album.uploadOrder(m_output, indexPage, m_photoNames, audioFiles)) {
            add(m_output + name, "Uploading [", "]");
            UploadStep& step = m_plan.groups.back().steps.back();
            if (step.isPage())
                step.status = "Uploading HTML doc [" + step.remoteName + "]";
            step.checkExisting = photoFiles.count(name) > 0;
        }
    }

    UploadGroup& startGroup()
    {
        m_plan.groups.emplace_back();
        return m_plan.groups.back();
    }

    // The status line is `before` + the remote name + `after`.
    void add(const std::string& path, const std::string& before, const std::string& after = "")
    {
        addWithStatus(path, "");
        UploadStep& step = m_plan.groups.back().steps.back();
        step.status = before + step.remoteName + after;
    }

    void addWithStatus(const std::string& path, const std::string& status, bool showsStatus = true)
    {
        UploadStep step;
        step.status = status;
        step.showsStatus = showsStatus;
        step.localPath = localFile(path);
        step.remoteName = remoteNameOf(step.localPath);
        m_plan.groups.back().steps.push_back(std::move(step));
    }

    std::string copyOf(const std::string& settingPath) const
    {
        return m_output + OutputNames::fileNamePart(settingPath);
    }

    std::string localFile(const std::string& path) const
    {
        const std::string named = m_names.webFileName(path);
        if (isFile(named) || !m_names.lowercaseFiles())
            return named;
        // Names compare without regard to case: a file kept in capitals is found all the same.
        const std::string asStored = OutputNames(m_names.substitutions(), false).webFileName(path);
        return isFile(asStored) ? asStored : named;
    }

    // The name the server gets for a local file, which the status lines show.
    std::string remoteNameOf(const std::string& localPath) const
    {
        std::string name = OutputNames::fileNamePart(localPath);
        if (m_names.lowercaseFiles())
            name = asciiLower(name);
        return m_names.webFileName(name);
    }

    const UploadJob& m_job;
    OutputNames m_names;
    std::string m_output;
    std::vector<std::string> m_photoNames;
    std::string m_count;
    UploadPlan m_plan;
};

} // namespace

bool UploadStep::isPage() const
{
    return remoteName.find(".htm") != std::string::npos || remoteName.find(".HTM") != std::string::npos;
}

bool UploadStep::localFileExists() const
{
    return isFile(localPath);
}

std::vector<UploadStep> UploadPlan::files() const
{
    std::vector<UploadStep> all;
    for (const UploadGroup& group : groups)
        all.insert(all.end(), group.steps.begin(), group.steps.end());
    return all;
}

UploadPlan planUpload(const UploadJob& job)
{
    return Planner(job).plan();
}

} // namespace pictaven
