// The KervaneSettings.exe that players download: Windows reads the project's
// version from its version resource and its manifest, and nothing in it
// changes from one build of the same commit to the next (no link time in its
// header, no path of the build machine in its bytes).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
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
    // The file whose elements release_program_image checks for Windows XP.
    EXPECT_EQ(manifest, FileBytes(HostPath(KERVANE_MANIFEST)).value_or("<unreadable>"));
}

// Windows gives a program the behaviour of the newest version its manifest
// names, and that of Vista to one that names none: Vista, 7, 8 and 8.1 as
// well as 10.
TEST(ReleaseProgram, ManifestNamesEveryWindowsFromVistaOn)
{
    const std::string manifest = Manifest(ProgramPath());
    for (const char* id : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos) << id;
}

TEST(ReleaseProgram, HeaderHoldsNoLinkTime)
{
    const std::string bytes = ProgramBytes();
    IMAGE_DOS_HEADER dos{};
    ASSERT_GE(bytes.size(), sizeof dos);
    std::memcpy(&dos, bytes.data(), sizeof dos);
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    IMAGE_NT_HEADERS32 nt{};
    ASSERT_GE(bytes.size(), static_cast<std::size_t>(dos.e_lfanew) + sizeof nt);
    std::memcpy(&nt, bytes.data() + dos.e_lfanew, sizeof nt);
    ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt.FileHeader.TimeDateStamp, 0u);
}

TEST(ReleaseProgram, HoldsNoPathOfTheBuildMachine)
{
    const std::string bytes = ProgramBytes();
    ASSERT_FALSE(bytes.empty()) << ProgramPath();
    EXPECT_FALSE(Holds(bytes, KERVANE_SOURCE_DIR)) << KERVANE_SOURCE_DIR;
    EXPECT_FALSE(Holds(bytes, KERVANE_BUILD_DIR)) << KERVANE_BUILD_DIR;
}

}  // namespace
