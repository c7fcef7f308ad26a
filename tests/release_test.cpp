// The built quenzibar.exe as a release: hardened headers, system imports
// only, the application manifest and the version resource. Read with the
// platform's own loader and version API.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const char kExe[] = QUENZIBAR_EXE;

// The executable's file, with its headers located.
class PeFile
{
public:
    explicit PeFile(const char *path)
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (bytes.size() < sizeof(IMAGE_DOS_HEADER))
            return;
        const IMAGE_DOS_HEADER *dos = At<IMAGE_DOS_HEADER>(0);
        if (dos->e_magic == IMAGE_DOS_SIGNATURE)
            nt = At<IMAGE_NT_HEADERS>(dos->e_lfanew);
    }

    template <class T>
    const T *At(size_t offset) const
    {
        return offset + sizeof(T) <= bytes.size() ? reinterpret_cast<const T *>(&bytes[offset])
                                                  : nullptr;
    }

    // File offset of a relative virtual address, through the section table.
    size_t Offset(DWORD rva) const
    {
        const IMAGE_SECTION_HEADER *section = IMAGE_FIRST_SECTION(nt);
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
            if (rva >= section->VirtualAddress &&
                rva < section->VirtualAddress + section->Misc.VirtualSize)
                return rva - section->VirtualAddress + section->PointerToRawData;
        return bytes.size();
    }

    std::set<std::string> Imports() const
    {
        std::set<std::string> names;
        const IMAGE_DATA_DIRECTORY &dir =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (size_t at = Offset(dir.VirtualAddress);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const IMAGE_IMPORT_DESCRIPTOR *desc = At<IMAGE_IMPORT_DESCRIPTOR>(at);
            if (!desc || !desc->Name)
                break;
            std::string name(&bytes[Offset(desc->Name)]);
            CharLowerA(&name[0]);
            names.insert(name);
        }
        return names;
    }

    std::vector<char> bytes;
    const IMAGE_NT_HEADERS *nt = nullptr;
};

TEST(Release, HeadersAreHardened)
{
    PeFile pe(kExe);
    ASSERT_NE(nullptr, pe.nt) << kExe << " is not a PE file";
    const IMAGE_OPTIONAL_HEADER &opt = pe.nt->OptionalHeader;
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, opt.Subsystem);
    EXPECT_TRUE(opt.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT) << "no DEP";
    EXPECT_TRUE(opt.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE) << "no ASLR";
    // ASLR needs relocations to move the image.
    EXPECT_GT(opt.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
#ifdef _WIN64
    EXPECT_TRUE(opt.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA);
#endif
}

TEST(Release, ImportsSystemDllsOnly)
{
    PeFile pe(kExe);
    ASSERT_NE(nullptr, pe.nt);
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "d3d9.dll",
                                          "msvcrt.dll"};
    for (const std::string &name : pe.Imports())
        EXPECT_TRUE(system.count(name)) << "imports " << name;
    EXPECT_TRUE(pe.Imports().count("d3d9.dll"));
}

class Resources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        module =
            LoadLibraryExA(kExe, NULL, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, module) << "cannot load " << kExe << " as data: " << GetLastError();
    }
    void TearDown() override
    {
        if (module)
            FreeLibrary(module);
    }

    std::string Resource(LPCSTR name, LPCSTR type) const
    {
        HRSRC info = FindResourceA(module, name, type);
        if (!info)
            return std::string();
        const char *data = static_cast<const char *>(LockResource(LoadResource(module, info)));
        return std::string(data, SizeofResource(module, info));
    }

    HMODULE module = nullptr;
};

TEST_F(Resources, ManifestDeclaresDpiAwarenessAndSupportedWindows)
{
    const std::string manifest =
        Resource(reinterpret_cast<LPCSTR>(CREATEPROCESS_MANIFEST_RESOURCE_ID), RT_MANIFEST);
    ASSERT_FALSE(manifest.empty()) << "no application manifest";
    static const char *const kExpected[] = {
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
        "<requestedExecutionLevel level=\"asInvoker\"",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // Windows 10 and 11
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // 8.1
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // 8
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // 7
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", // Vista
    };
    for (const char *text : kExpected)
        EXPECT_NE(std::string::npos, manifest.find(text)) << "manifest lacks " << text;
}

BOOL CALLBACK CountResource(HMODULE, LPCSTR, LPSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int *>(count);
    return TRUE;
}

TEST_F(Resources, HasNoIcon)
{
    // The window class has no icon, and neither has the file.
    int icons = 0;
    EnumResourceNamesA(module, RT_GROUP_ICON, CountResource, reinterpret_cast<LONG_PTR>(&icons));
    EXPECT_EQ(0, icons);
}

TEST(Release, VersionResourceNamesTheProductAndVersion)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(kExe, &handle);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(kExe, 0, size, info.data()));

    auto text = [&](const char *key) {
        std::string path = std::string("\\StringFileInfo\\040904B0\\") + key;
        char *value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void **>(&value), &length))
            return std::string();
        return std::string(value);
    };
    EXPECT_EQ("Quenzibar", text("ProductName"));
    EXPECT_EQ(QUENZIBAR_VERSION4, text("FileVersion"));
    EXPECT_EQ(QUENZIBAR_VERSION4, text("ProductVersion"));
    EXPECT_EQ("quenzibar.exe", text("OriginalFilename"));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    const std::string numeric = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(QUENZIBAR_VERSION4, numeric);
}

} // namespace
