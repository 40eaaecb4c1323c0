#include "dictionary/preference_file.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "app/platform/handles.h"
#include "app/platform/whole_file.h"
#include "dictionary/preference_document.h"

namespace {

// A file opened for reading keeps its bytes and is parsed only when
// something is written: a lookup reads one text straight from the bytes.
struct OpenDocument {
    FileHandle file;
    std::string bytes;
    std::optional<PreferenceDocument> document;
    std::string group;  // selected while the bytes are not parsed
    bool readOnly = false;
};

// The engine's one document; empty when nothing is open.
std::optional<OpenDocument>& Current()
{
    static std::optional<OpenDocument> current;
    return current;
}

FileHandle OpenExisting(const std::string& path, DWORD access, DWORD share)
{
    return FileHandle(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool WriteFromStart(HANDLE file, const std::string& text)
{
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    const auto size = static_cast<DWORD>(text.size());
    DWORD written = 0;
    return WriteFile(file, text.data(), size, &written, nullptr) && written == size;
}

// Writes the canonical text over the file and cuts off whatever older, longer
// text followed it. A text that does not reach the file whole (the disk filled
// up) is cut back to nothing through the same handle: a half-written file
// would stay for good, while an empty one is rebuilt at the next start.
bool WriteBack(HANDLE file, const std::string& text)
{
    const bool whole = text.size() <= MAXDWORD && WriteFromStart(file, text);
    if (!whole) SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    return SetEndOfFile(file) && whole;
}

}  // namespace

namespace PreferenceFile {

bool Create(const std::string& path)
{
    Close();
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    Current() = OpenDocument{std::move(file), {}, PreferenceDocument{}, {}, false};
    return true;
}

bool Open(const std::string& path)
{
    Close();
    bool readOnly = false;
    FileHandle file = OpenExisting(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ);
    if (!file.IsOpen()) {
        // Someone else holds the file for writing, or it is marked read-only:
        // it can still be read, only never written back.
        readOnly = true;
        file = OpenExisting(path, GENERIC_READ, FILE_SHARE_READ);
    }
    if (!file.IsOpen()) {
        file = OpenExisting(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    }
    if (!file.IsOpen()) return false;
    // A short read means the file changed under us; better no document than
    // half of one that a later write-back would make permanent.
    std::optional<std::string> bytes = ReadWholeFile(file.Get());
    if (!bytes) return false;
    Current() = OpenDocument{std::move(file), std::move(*bytes), std::nullopt, {}, readOnly};
    return true;
}

bool SelectGroup(const std::string& name)
{
    if (!Current()) return false;
    OpenDocument& open = *Current();
    if (open.document) return SelectPreferenceGroup(*open.document, name);
    open.group = name;
    return HasPreferenceGroup(open.bytes, name);
}

std::string ReadString(const std::string& key, const std::string& fallback)
{
    if (!Current()) return fallback;
    const OpenDocument& open = *Current();
    if (open.document) return ReadPreferenceString(*open.document, key, fallback);
    return FindPreferenceString(open.bytes, open.group, key, fallback);
}

void WriteString(const std::string& key, const std::string& value)
{
    if (!Current()) return;
    OpenDocument& open = *Current();
    if (!open.document) {
        open.document = ParsePreferenceDocument(open.bytes);
        SelectPreferenceGroup(*open.document, open.group);
    }
    WritePreferenceString(*open.document, key, value);
}

bool Close()
{
    std::optional<OpenDocument>& current = Current();
    if (!current) return true;
    bool written = true;
    if (current->document && current->document->modified && !current->readOnly) {
        written = WriteBack(current->file.Get(), SerialisePreferenceDocument(*current->document));
    }
    current.reset();
    return written;
}

}  // namespace PreferenceFile
