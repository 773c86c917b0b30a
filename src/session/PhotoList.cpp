#include "session/PhotoList.h"

#include "app/Dialogs.h"
#include "catalog/AcceptFile.h"
#include "catalog/FolderListing.h"
#include "catalog/PhotoEntry.h"
#include "decoders/PhotoMetadata.h"
#include "imaging/ExifOrientation.h"
#include "ini/AsciiCase.h"
#include "ini/StorableText.h"
#include "session/Workspace.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <system_error>
#include <unordered_set>
#include <fcntl.h>
#include <unistd.h>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnstorablePhotos
    = "These photos were not added: their paths hold a line break, which a catalog cannot keep.\r\n";

// A name of a file inside the step 1 folder; anything else could reach beyond it.
bool isBareName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

std::int64_t currentFileDate(const std::string& path)
{
    std::error_code error;
    const auto time = fs::last_write_time(path, error);
    if (error)
        return -1;
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::file_clock::to_sys(time).time_since_epoch())
        .count();
}

// Never replaces `to`: two photos must not become one by a rename.
bool renameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the no-replace flag: a check just before is the best there is.
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error)))
        return false;
    fs::rename(from, to, error);
    return !error;
}

// A folder in one spelling for comparisons: normalised, ending in "/", letters in lower case.
std::string folderKey(const std::string& folder)
{
    std::string text = fs::path(folder).lexically_normal().string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return asciiLower(text);
}

} // namespace

PhotoList::PhotoList(Workspace& workspace)
    : m_workspace(workspace)
    , m_thumbnails(workspace.programFolder())
{
}

std::string PhotoList::step1Path(const std::string& name) const
{
    // Expanded against the step 1 folder directly; the process's current folder stays the
    // output folder.
    return (fs::absolute(fs::path(m_workspace.step1Folder())) / name).lexically_normal().string();
}

void PhotoList::updateGuard()
{
    m_workspace.guards().photosSelected = !m_workspace.catalog().photos.empty();
}

std::vector<std::string> PhotoList::folderPane() const
{
    return listPhotoFolder(m_workspace.step1Folder(), m_workspace.globalSettings().fileMask);
}

void PhotoList::addAll()
{
    add(folderPane(), false);
}

void PhotoList::addSelected(const std::vector<std::string>& names)
{
    add(names, true);
}

std::size_t PhotoList::insertionPosition(const std::vector<std::string>& keys, const std::string& key) const
{
    if (!m_nameOrder)
        return keys.size();
    // Dragging may have moved photos out of order since the sort, so look from the front.
    return static_cast<std::size_t>(
        std::find_if(keys.begin(), keys.end(), [&](const std::string& listed) { return listed > key; }) - keys.begin());
}

void PhotoList::add(const std::vector<std::string>& names, bool beepOnReject)
{
    m_workspace.generationFlags().smartRender = true;
    m_workspace.generationFlags().rerenderPhotos = true;
    Catalog& catalog = m_workspace.catalog();
    std::string refused;
    // The lowered names of the listed photos, in list order and for lookup, so that adding a
    // folder of thousands of photos does not lower every listed name for every added one.
    std::vector<std::string> keys;
    keys.reserve(catalog.photos.size() + names.size());
    for (const AlbumItem& item : catalog.photos)
        keys.push_back(asciiLower(item.displayName));
    std::unordered_set<std::string> listed(keys.begin(), keys.end());
    for (const std::string& name : names) {
        std::string key = asciiLower(name);
        if (listed.contains(key) || !isBareName(name))
            continue;
        const std::string path = step1Path(name);
        // Refused now, while the person sees which file it is, rather than failing the save.
        if (!isStorableText(path)) {
            refused += "\r\n" + visibleLineBreaks(path);
            continue;
        }
        const FileAcceptance filter =
            acceptFile(path, m_workspace.globalSettings(), beepOnReject, m_workspace.dialogs());
        if (!filter.accepted)
            continue;
        AlbumItem item;
        item.displayName = name;
        item.storage.SourcePath = path;
        item.storage.WorkingPath = path;
        item.storage.FileDate = filter.fileDate;
        takeMetadata(item.storage, readPhotoMetadata(path));
        const OrientationTurn turn = orientationTurn(readExifOrientation(path).value);
        item.storage.Rotation = turn.rotation;
        item.storage.Mirrored = turn.mirrored;
        const std::size_t position = insertionPosition(keys, key);
        listed.insert(key);
        keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(position), std::move(key));
        m_thumbnails.insertAt(position, catalog.photos.size());
        catalog.photos.insert(catalog.photos.begin() + static_cast<std::ptrdiff_t>(position), std::move(item));
        catalog.modified = true;
    }
    updateGuard();
    if (!refused.empty())
        m_workspace.dialogs().showError(kUnstorablePhotos + refused.substr(2));
}

void PhotoList::removeAll()
{
    Catalog& catalog = m_workspace.catalog();
    if (!catalog.photos.empty() &&
        !m_workspace.dialogs().askYesNo("If you have entered any catalog descriptions they will be lost - continue? "))
        return;
    catalog.modified = true;
    catalog.photos.clear();
    m_thumbnails.clear();
    updateGuard();
}

void PhotoList::removeSelected(const std::vector<std::size_t>& selected)
{
    auto& photos = m_workspace.catalog().photos;
    std::vector<bool> isSelected(photos.size());
    for (const std::size_t position : selected) {
        if (position < photos.size())
            isSelected[position] = true;
    }
    for (std::size_t i = photos.size(); i-- > 0;) {
        if (!isSelected[i])
            continue;
        m_workspace.catalog().modified = true;
        const std::size_t count = photos.size();
        photos.erase(photos.begin() + static_cast<std::ptrdiff_t>(i));
        m_thumbnails.removeAt(i, count);
    }
    updateGuard();
}

std::vector<std::size_t> PhotoList::drop(std::size_t dragSource, std::optional<std::size_t> target,
                                         const std::vector<std::size_t>& selected)
{
    m_workspace.catalog().modified = true;
    auto& photos = m_workspace.catalog().photos;
    const std::size_t count = photos.size();
    std::vector<bool> isSelected(count);
    for (const std::size_t position : selected) {
        if (position < count)
            isSelected[position] = true;
    }
    const auto exchange = [&](std::size_t a, std::size_t b) {
        std::swap(photos[a], photos[b]);
        std::vector<bool>::swap(isSelected[a], isSelected[b]);
        m_thumbnails.exchange(a, b);
    };

    if (target && *target < count && *target != dragSource) {
        // Signed: many selected photos can push the gathering point past either end.
        auto t = static_cast<std::ptrdiff_t>(*target);
        if (*target < dragSource) {
            for (std::size_t i = 0; i < count; ++i) {
                if (!isSelected[i])
                    continue;
                for (auto p = static_cast<std::ptrdiff_t>(i); p > t; --p)
                    exchange(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(p));
                ++t;
            }
        } else {
            for (std::size_t j = count; j-- > 0;) {
                if (!isSelected[j])
                    continue;
                for (auto p = static_cast<std::ptrdiff_t>(j); p < t; ++p)
                    exchange(static_cast<std::size_t>(p), static_cast<std::size_t>(p + 1));
                --t;
            }
        }
    }

    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < count; ++i) {
        if (isSelected[i])
            positions.push_back(i);
    }
    return positions;
}

void PhotoList::reorder(const std::vector<std::size_t>& order)
{
    auto& photos = m_workspace.catalog().photos;
    bool moved = false;
    for (std::size_t i = 0; i < order.size(); ++i)
        moved = moved || order[i] != i;
    if (!moved)
        return;
    std::vector<AlbumItem> reordered;
    reordered.reserve(photos.size());
    for (const std::size_t index : order)
        reordered.push_back(std::move(photos[index]));
    photos = std::move(reordered);
    // A new order is an unsaved change like any other.
    m_workspace.catalog().modified = true;
}

void PhotoList::sortByName()
{
    m_sortMode = SortMode::Name;
    m_nameOrder = true;
    m_thumbnails.clear();
    const auto& photos = m_workspace.catalog().photos;
    std::vector<std::string> keys;
    keys.reserve(photos.size());
    for (const AlbumItem& item : photos)
        keys.push_back(asciiLower(item.displayName));
    std::vector<std::size_t> order(photos.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    reorder(order);
}

void PhotoList::sortByDate()
{
    m_sortMode = SortMode::Date;
    m_nameOrder = false;
    m_thumbnails.clear();
    auto& photos = m_workspace.catalog().photos;
    std::vector<std::int64_t> dates;
    dates.reserve(photos.size());
    for (AlbumItem& item : photos) {
        FileStorage& storage = item.storage;
        // Photos read from a catalog learn their date at the first sort, as added photos do when
        // they are added, so that sorting thousands again does not read them all again.
        if (storage.FileDate == 0) {
            storage.FileDate = readPhotoMetadata(storage.SourcePath).takenAt.value_or(0);
            if (storage.FileDate == 0)
                storage.FileDate = currentFileDate(storage.WorkingPath);
        }
        dates.push_back(storage.FileDate);
    }
    std::vector<std::size_t> order(photos.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return m_newestFirst ? dates[a] > dates[b] : dates[a] < dates[b];
    });
    reorder(order);
}

void PhotoList::setNewestFirst(bool newestFirst)
{
    m_newestFirst = newestFirst;
    if (m_sortMode == SortMode::Date)
        sortByDate();
}

bool PhotoList::deleteFile(const std::string& name)
{
    if (!isBareName(name) || !m_workspace.dialogs().askYesNo("Permanently delete file from disk?"))
        return false;
    const std::string path = step1Path(name);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error)))
        return false;
    // unlink, not remove: a folder of that name is no photo and stays.
    if (::unlink(path.c_str()) == 0)
        return true;
    m_workspace.logMessage("File " + path + " could not be deleted - Read-only?");
    return false;
}

bool PhotoList::renameFile(const std::string& oldName, const std::string& newName)
{
    if (newName.find(' ') != std::string::npos &&
        m_workspace.dialogs().askYesNo("Spaces in the filename can make browsers behave erratically.\r\nAbort Rename?"))
        return false;
    if (!isStorableText(newName)) {
        m_workspace.dialogs().showError("The file " + step1Path(oldName) + " was not renamed: the name \""
            + visibleLineBreaks(newName) + "\" holds a line break, which a catalog cannot keep.");
        return false;
    }
    if (!isBareName(oldName) || !isBareName(newName) || !renameWithoutReplacing(step1Path(oldName), step1Path(newName)))
        return false;
    catalogReplace(oldName, newName);
    m_workspace.catalog().modified = true;
    return true;
}

void PhotoList::catalogReplace(const std::string& oldName, const std::string& newName)
{
    // Matched by the file itself, not by the name alone: a photo of the same name from another
    // folder was not renamed.
    const std::string oldPath = step1Path(oldName);
    const std::string newPath = step1Path(newName);
    for (AlbumItem& item : m_workspace.catalog().photos) {
        if (fs::path(item.storage.SourcePath).lexically_normal().string() != oldPath)
            continue;
        item.displayName = newName;
        item.storage.SourcePath = newPath;
        item.storage.WorkingPath = newPath;
    }
}

bool PhotoList::isPhotoFolder(const std::string& folder, PathKind kind) const
{
    const std::string wanted = folderKey(folder);
    const auto& photos = m_workspace.catalog().photos;
    return std::any_of(photos.begin(), photos.end(), [&](const AlbumItem& item) {
        const std::string& path = kind == PathKind::Source ? item.storage.SourcePath : item.storage.WorkingPath;
        return folderKey(fs::path(path).parent_path().string()) == wanted;
    });
}

} // namespace pictaven
