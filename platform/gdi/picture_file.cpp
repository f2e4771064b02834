// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/picture_file.h"

#include <chrono>
#include <cstring>
#include <list>
#include <mutex>
#include <string>

#include "platform/services/files.h"

namespace {

// Decoded pictures kept for the next draw, each with the version of the file
// it was decoded from, the most recently used first.
class CPictureCache {
public:
    // A copy of path's picture when it was decoded from exactly this version
    // of the file.
    std::optional<DecodedPicture> Find(const std::u16string& path, const FileVersion& version)
    {
        const std::lock_guard lock(m_mutex);
        const auto found = Entry(path);
        if (found == m_entries.end() || !(found->version == version)) {
            return std::nullopt;
        }
        m_entries.splice(m_entries.begin(), m_entries, found);
        std::optional<DecodedPicture> copy = Copy(found->picture);
        return copy;
    }

    void Keep(const std::u16string& path, const FileVersion& version, const DecodedPicture& picture)
    {
        const std::lock_guard lock(m_mutex);
        Remove(path);
        if (picture.pixels.size() > kPictureCacheBytes) {
            return;
        }
        std::optional<DecodedPicture> copy = Copy(picture);
        if (!copy) {
            return;
        }
        m_bytes += copy->pixels.size();
        m_entries.push_front({path, version, std::move(*copy)});
        while (m_entries.size() > kPictureCacheEntries || m_bytes > kPictureCacheBytes) {
            m_bytes -= m_entries.back().picture.pixels.size();
            m_entries.pop_back();
        }
    }

    void Forget(const std::u16string& path)
    {
        const std::lock_guard lock(m_mutex);
        Remove(path);
    }

private:
    struct Cached {
        std::u16string path;
        FileVersion version;
        DecodedPicture picture;
    };

    std::list<Cached>::iterator Entry(const std::u16string& path)
    {
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->path == path) {
                return it;
            }
        }
        return m_entries.end();
    }

    void Remove(const std::u16string& path)
    {
        const auto found = Entry(path);
        if (found != m_entries.end()) {
            m_bytes -= found->picture.pixels.size();
            m_entries.erase(found);
        }
    }

    static std::optional<DecodedPicture> Copy(const DecodedPicture& picture)
    {
        DecodedPicture copy;
        copy.format = picture.format;
        copy.width = picture.width;
        copy.height = picture.height;
        copy.palette = picture.palette;
        copy.pixels = PixelBytes::ForOverwrite(picture.pixels.size());
        if (copy.pixels.size() != picture.pixels.size()) {
            return std::nullopt;
        }
        std::memcpy(copy.pixels.data(), picture.pixels.data(), picture.pixels.size());
        return copy;
    }

    std::mutex m_mutex;
    std::list<Cached> m_entries;
    std::size_t m_bytes = 0;
};

CPictureCache& Cache()
{
    static CPictureCache cache;
    return cache;
}

// Whether a change to the file could no longer leave its version as it is.
// The system stamps a change with a clock that advances in ticks (and some
// file systems keep whole seconds or two), so a file rewritten in the tick it
// was read in may keep its size and time; one that was last changed two
// seconds or more before it was read cannot.
bool Settled(const FileVersion& version)
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto modified = std::chrono::seconds(version.modifiedSeconds) +
                          std::chrono::nanoseconds(version.modifiedNanoseconds);
    return now - modified >= std::chrono::seconds(2);
}

}  // namespace

std::optional<DecodedPicture> DecodePictureFile(std::u16string_view path)
{
    const std::u16string name(path);
    // An unchanged file gives the picture decoded from it before.
    if (const std::optional<FileVersion> version = RegularFileVersionW(name.c_str())) {
        if (std::optional<DecodedPicture> cached = Cache().Find(name, *version)) {
            return cached;
        }
    }
    // Read through the settings files' reader: a regular file or nothing, so
    // that a pipe or device in a picture's place can neither block nor feed
    // the program without end.
    FileVersion read;
    const std::optional<std::string> file = ReadWholeFileW(name.c_str(), kMaxPictureFileBytes, read);
    std::optional<DecodedPicture> picture;
    if (file) {
        picture = DecodePng({reinterpret_cast<const std::uint8_t*>(file->data()), file->size()});
    }
    if (picture && Settled(read)) {
        Cache().Keep(name, read, *picture);
    } else {
        Cache().Forget(name);
    }
    return picture;
}
