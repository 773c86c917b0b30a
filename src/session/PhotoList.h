#pragma once

#include "catalog/ThumbnailCache.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

class Workspace;

// The commands of the album list of step 1 and the folder pane beside it. The list itself is
// the workspace's Catalog::photos; every change sets Catalog::modified and leaves
// StepGuards::photosSelected saying whether the list holds photos, and the thumbnail cache is
// kept in step with the positions. Selections are given as 0-based positions; positions beyond
// the list are ignored. Folder-pane names are bare file names in the workspace's step 1 folder.
// Questions, beeps and errors go through the workspace's Dialogs and error log.
class PhotoList {
public:
    enum class SortMode { Name, Date };
    enum class PathKind { Source, Working };

    // `workspace` owns this object and outlives it.
    explicit PhotoList(Workspace& workspace);
    PhotoList(const PhotoList&) = delete;
    PhotoList& operator=(const PhotoList&) = delete;

    // The folder pane: the plain files of the step 1 folder matching FileMask, in name order.
    std::vector<std::string> folderPane() const;

    // Add all / Add selected: requests a re-render (Smart Render on), then adds each name in the
    // given order unless the list already shows that name (letter case ignored) or acceptFile
    // rejects the file; only Add selected beeps for a size rejection. In name order a photo is
    // inserted before the first photo whose name sorts after it, otherwise appended. A photo
    // whose path holds a line break, which no catalog can keep, is not added; such photos are
    // named in one error shown after the others were added.
    void addAll();
    void addSelected(const std::vector<std::string>& names);

    // Asks "If you have entered any catalog descriptions they will be lost - continue? " when
    // the list holds photos; No changes nothing. Otherwise empties the list and the cache.
    void removeAll();

    // Removes the photos at `selected`; the photo files themselves stay.
    void removeSelected(const std::vector<std::size_t>& selected);

    // A drop of the selected photos, dragged from `dragSource` (the focused position), onto
    // `target` (nullopt or a position past the end: no photo under the drop point). The
    // selected photos gather at the target in their previous order, their cache files moving
    // with them. Marks the catalog changed even when nothing moves. Returns the positions of the
    // selected photos afterwards, ascending.
    std::vector<std::size_t> drop(std::size_t dragSource, std::optional<std::size_t> target,
                                  const std::vector<std::size_t>& selected);

    // "Sort by Filename": empties the cache and orders the list by name, letter case ignored
    // and equal names kept in their order; later additions keep that order until sortByDate.
    void sortByName();
    // "Sort by Date": empties the cache and sorts once, stable, by FileDate (for a photo read
    // from a catalog, the date its metadata says it was taken) or, when that is 0, by the
    // current modification time of WorkingPath (-1 for a missing file), oldest first unless
    // newestFirst().
    void sortByDate();
    // The "Asc" check box: changing it sorts again while sorting by date.
    void setNewestFirst(bool newestFirst);

    SortMode sortMode() const { return m_sortMode; }
    bool newestFirst() const { return m_newestFirst; }
    // The check box can be used only while sorting by date.
    bool newestFirstEnabled() const { return m_sortMode == SortMode::Date; }
    bool inNameOrder() const { return m_nameOrder; }

    // Delete from the folder pane's context menu: asks "Permanently delete file from disk?" and
    // on Yes deletes the file `name` of the step 1 folder. A file that cannot be deleted is
    // reported through the error log as "File <path> could not be deleted - Read-only?". The
    // album list is not changed. Returns true when the file was deleted.
    bool deleteFile(const std::string& name);

    // Rename from the folder pane's context menu. A new name with a space first asks
    // "Spaces in the filename can make browsers behave erratically.\r\nAbort Rename?"; Yes ends
    // it. A new name holding a line break is refused with an error naming the file. The rename
    // never replaces an existing file and never leaves the step 1 folder; when it fails nothing
    // changes. On success the album photos of that file follow (catalogReplace)
    // and the catalog is marked changed. Returns true when the file was renamed.
    bool renameFile(const std::string& oldName, const std::string& newName);

    // Re-points the album photos whose file is `oldName` in the step 1 folder to `newName`
    // there: display name, SourcePath and WorkingPath.
    void catalogReplace(const std::string& oldName, const std::string& newName);

    // Whether `folder` (ending in "/") is the folder of any photo's SourcePath or WorkingPath,
    // letter case ignored.
    bool isPhotoFolder(const std::string& folder, PathKind kind) const;

    const ThumbnailCache& thumbnails() const { return m_thumbnails; }

private:
    void add(const std::vector<std::string>& names, bool beepOnReject);
    // Where a photo of the lowered name `key` goes among photos of the lowered names `keys`.
    std::size_t insertionPosition(const std::vector<std::string>& keys, const std::string& key) const;
    std::string step1Path(const std::string& name) const;
    void reorder(const std::vector<std::size_t>& order);
    void updateGuard();

    Workspace& m_workspace;
    ThumbnailCache m_thumbnails;
    SortMode m_sortMode = SortMode::Name;
    bool m_newestFirst = false;
    bool m_nameOrder = false;
};

} // namespace pictaven
