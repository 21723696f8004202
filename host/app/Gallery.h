// The gallery: every window of the library (and of jobhost) made on the sample job, rendered to PNG files
// with an index.html that shows them by family, with the template ids each one shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

class CWnd;
class JobDocument;

struct GalleryEntry
{
    std::string family; // heading in the index
    std::string file;   // PNG file name, unique in the gallery
    std::string what;   // one line on what the picture shows
    // Creates the window on a fresh sample job, modeless and ready to show; the gallery shows, renders,
    // destroys and deletes it. Null, or an exception, is a failure of this entry alone.
    std::function<CWnd*(JobDocument& doc)> make;
};

// What became of one entry.
struct GalleryShot
{
    std::string family;
    std::string file;
    std::string what;
    std::string title;          // the window's title as it was rendered
    std::vector<int> templates; // dialog templates in the picture: the window's, then its visible pages'
    std::string error;          // empty when the PNG was written and is not blank
};

// Every entry, in the order of the index.
std::vector<GalleryEntry> GalleryEntries();

// Renders the entries into folder (created if missing) and writes folder/index.html. Each failure is
// reported on stderr and in the index; the others go on. Needs a running QApplication.
std::vector<GalleryShot> RenderGallery(const std::string& folder, const std::vector<GalleryEntry>& entries);

// jobhost --gallery: every entry, each written file on stdout; 0 when none failed.
int RunGallery(const char* folder);
