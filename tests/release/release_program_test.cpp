// The KervaneSettings.exe that players download: Windows reads the project's
// version from its version resource and its manifest, and nothing in it
// changes from one build of the same commit to the next (no link time in its
// header, no path of the build machine in its bytes).

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "program_driver.h"
#include "wine_fixtures.h"

namespace {

struct ProjectVersion {
    unsigned major = 0, minor = 0, patch = 0;
};

// KERVANE_PROJECT_VERSION is the project's "major.minor.patch", from CMake.
ProjectVersion Project()
{
    ProjectVersion v;
    char end = 0;
    const int fields = std::sscanf(KERVANE_PROJECT_VERSION, "%u.%u.%u%c", &v.major, &v.minor, &v.patch, &end);
    EXPECT_EQ(fields, 3) << KERVANE_PROJECT_VERSION;
    return v;
}

// The four-part form Windows shows: major.minor.patch.0.
std::string FourPart()
{
    const ProjectVersion v = Project();
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch) + ".0";
}

// The exe's version resource, read as Explorer's Details tab reads it.
class VersionResource {
public:
    explicit VersionResource(const std::string& path)
    {
        DWORD unused = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
        if (size == 0) return;
        block_.resize(size);
        if (!GetFileVersionInfoA(path.c_str(), 0, size, block_.data())) block_.clear();
    }

    bool found() const { return !block_.empty(); }

    const VS_FIXEDFILEINFO* Fixed()
    {
        void* data = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block_.data(), "\\", &data, &length) || length < sizeof(VS_FIXEDFILEINFO)) return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(data);
    }

    // A text of the string table of the resource's first translation.
    std::string Text(const std::string& name)
    {
        void* data = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block_.data(), "\\VarFileInfo\\Translation", &data, &length) || length < 4)
            return "<no translation>";
        const WORD* translation = static_cast<const WORD*>(data);
        char table[16];
        std::snprintf(table, sizeof table, "%04x%04x", translation[0], translation[1]);
        const std::string query = std::string("\\StringFileInfo\\") + table + "\\" + name;
        if (!VerQueryValueA(block_.data(), query.c_str(), &data, &length)) return "<missing " + name + ">";
        return static_cast<const char*>(data);
    }

private:
    std::vector<BYTE> block_;
};

// The text of the manifest Windows reads when it starts the program.
std::string Manifest(const std::string& path)
{
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "";
    std::string text;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const HGLOBAL loaded = LoadResource(module, found);
        const auto* bytes = static_cast<const char*>(LockResource(loaded));
        if (bytes) text.assign(bytes, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

// The value of an attribute in the assemblyIdentity element that carries the
// program's own name; "<none>" when there is no such element or attribute.
std::string ProgramIdentityAttribute(const std::string& manifest, const std::string& attribute)
{
    const std::string programName = "name=\"HalcyraStudios.Vaelmoor.KervaneSettings\"";
    for (std::size_t start = manifest.find("<assemblyIdentity"); start != std::string::npos;
         start = manifest.find("<assemblyIdentity", start + 1)) {
        const std::string element = manifest.substr(start, manifest.find('>', start) - start);
        if (element.find(programName) == std::string::npos) continue;
        const std::string key = " " + attribute + "=\"";
        const std::size_t value = element.find(key);
        if (value == std::string::npos) return "<none>";
        const std::size_t begin = value + key.size();
        return element.substr(begin, element.find('"', begin) - begin);
    }
    return "<none>";
}

std::string ProgramBytes()
{
    return FileBytes(ProgramPath()).value_or("");
}

// The PE header of a 32-bit image, as the loader reads it; none for anything else.
struct Pe32Header {
    IMAGE_FILE_HEADER file;
    IMAGE_OPTIONAL_HEADER32 optional;
    std::size_t sections;  // offset of the section table
};

template <typename T>
bool ReadAt(const std::string& bytes, std::size_t offset, T& out)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof out) return false;
    std::memcpy(&out, bytes.data() + offset, sizeof out);
    return true;
}

std::optional<Pe32Header> ImageHeader(const std::string& bytes)
{
    IMAGE_DOS_HEADER dos{};
    DWORD signature = 0;
    Pe32Header header{};
    if (!ReadAt(bytes, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return std::nullopt;
    const auto nt = static_cast<std::size_t>(dos.e_lfanew);
    if (!ReadAt(bytes, nt, signature) || signature != IMAGE_NT_SIGNATURE) return std::nullopt;
    if (!ReadAt(bytes, nt + sizeof signature, header.file)) return std::nullopt;
    const std::size_t optional = nt + sizeof signature + sizeof header.file;
    if (header.file.SizeOfOptionalHeader < sizeof header.optional || !ReadAt(bytes, optional, header.optional))
        return std::nullopt;
    header.sections = optional + header.file.SizeOfOptionalHeader;
    return header;
}

// The file offset of an address of the loaded image; none outside every section.
std::optional<std::size_t> FileOffset(const std::string& bytes, const Pe32Header& header, DWORD address)
{
    for (WORD i = 0; i < header.file.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section{};
        if (!ReadAt(bytes, header.sections + i * sizeof section, section)) return std::nullopt;
        if (address >= section.VirtualAddress && address - section.VirtualAddress < section.SizeOfRawData)
            return section.PointerToRawData + (address - section.VirtualAddress);
    }
    return std::nullopt;
}

// The names of the DLLs an image imports, in lower case.
std::set<std::string> ImportedDlls(const std::string& bytes)
{
    std::set<std::string> names;
    const auto header = ImageHeader(bytes);
    if (!header) return names;
    const DWORD table = header->optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    auto entry = FileOffset(bytes, *header, table);
    for (IMAGE_IMPORT_DESCRIPTOR import{}; entry && ReadAt(bytes, *entry, import) && import.Name != 0;
         *entry += sizeof import) {
        const auto name = FileOffset(bytes, *header, import.Name);
        if (!name) break;
        std::string text(bytes.c_str() + *name);
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        names.insert(text);
    }
    return names;
}

// Both forms a path may take in a binary: 8-bit and UTF-16.
bool Holds(const std::string& bytes, const std::string& text)
{
    std::string wide;
    for (char c : text) wide += {c, '\0'};
    return bytes.find(text) != std::string::npos || bytes.find(wide) != std::string::npos;
}

TEST(ReleaseProgram, FixedVersionNumbersAreTheProjectVersion)
{
    VersionResource resource(ProgramPath());
    ASSERT_TRUE(resource.found()) << ProgramPath();
    const VS_FIXEDFILEINFO* fixed = resource.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const ProjectVersion v = Project();
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(v.minor, v.major));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, v.patch));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(v.minor, v.major));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, v.patch));
}

TEST(ReleaseProgram, VersionTextsAreTheProjectVersion)
{
    VersionResource resource(ProgramPath());
    ASSERT_TRUE(resource.found()) << ProgramPath();
    EXPECT_EQ(resource.Text("FileVersion"), FourPart());
    EXPECT_EQ(resource.Text("ProductVersion"), KERVANE_PROJECT_VERSION);
    EXPECT_EQ(resource.Text("OriginalFilename"), "KervaneSettings.exe");
}

TEST(ReleaseProgram, ManifestIdentityCarriesTheProjectVersion)
{
    const std::string manifest = Manifest(ProgramPath());
    ASSERT_NE(manifest.find("<assembly"), std::string::npos) << "no manifest in " << ProgramPath();
    EXPECT_EQ(ProgramIdentityAttribute(manifest, "version"), FourPart());
    EXPECT_EQ(ProgramIdentityAttribute(manifest, "processorArchitecture"), "x86");
}

// Windows gives a program the behaviour of the newest version its manifest
// names, and that of Vista to one that names none: 7, 8 and 8.1 as well as 10.
TEST(ReleaseProgram, ManifestNamesEveryWindowsFrom7On)
{
    const std::string manifest = Manifest(ProgramPath());
    for (const char* id : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos) << id;
}

TEST(ReleaseProgram, HeaderHoldsNoLinkTime)
{
    const auto header = ImageHeader(ProgramBytes());
    ASSERT_TRUE(header) << ProgramPath();
    EXPECT_EQ(header->file.TimeDateStamp, 0u);
}

// 32-bit x86, like the game: it starts on 32-bit Windows and in 32-bit Wine
// prefixes, and loads the game folder's own d3d9.dll and dinput.dll. It needs
// only Windows' own DLLs, no runtime of the compiler's beside it.
TEST(ReleaseProgram, IsA32BitX86ImageThatImportsOnlySystemDlls)
{
    const std::string bytes = ProgramBytes();
    const auto header = ImageHeader(bytes);
    ASSERT_TRUE(header) << ProgramPath();
    EXPECT_EQ(header->file.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(header->optional.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(header->optional.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(ImportedDlls(bytes), (std::set<std::string>{"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll",
                                                          "msvcrt.dll", "user32.dll"}));
}

TEST(ReleaseProgram, HoldsNoPathOfTheBuildMachine)
{
    const std::string bytes = ProgramBytes();
    ASSERT_FALSE(bytes.empty()) << ProgramPath();
    EXPECT_FALSE(Holds(bytes, KERVANE_SOURCE_DIR)) << KERVANE_SOURCE_DIR;
    EXPECT_FALSE(Holds(bytes, KERVANE_BUILD_DIR)) << KERVANE_BUILD_DIR;
}

}  // namespace
