#pragma once

#include <memory>
#include <optional>
#include <string>

#include "framework/pictures/picture.h"

// A file or folder, named by its absolute path, whether or not anything is there yet. Folder
// items are shared through std::shared_ptr<FolderItem>; a nil item is nullptr.
class FolderItem {
public:
    // A relative path is taken from the current folder.
    explicit FolderItem(const std::string& path);

    // The item called `name` inside this folder, existing or not; nullptr for a name that
    // cannot be a single item: empty, "." , "..", or holding '/' or a NUL.
    std::shared_ptr<FolderItem> Child(const std::string& name) const;
    // The folder holding this item; nullptr for the root.
    std::shared_ptr<FolderItem> Parent() const;
    std::string Path() const;
    // The file read as a picture: PICT for a ".pict" name, otherwise whatever image format its
    // contents are (PNG, JPEG). nullptr when the file is missing, unreadable or not a picture.
    std::shared_ptr<Picture> OpenAsPicture() const;

private:
    std::string path_;
};

// The "Resources" folder beside the folder that holds the executable (build/bin/quorvel ->
// build/Resources). nullptr when there is no such folder. Throws NilObjectException when the
// application file is unknown or has no parent folders to climb.
std::shared_ptr<FolderItem> GetApplicationBundleResources();

// Tests place the application file elsewhere; std::nullopt goes back to the real executable.
// An empty path stands for an application file that is not known.
void SetApplicationFileForTesting(std::optional<std::string> path);
