#include "catalogue/PluginDiagnosis.h"
#include <windows.h>
#include "catalogue/PluginImage.h"
#include "framework/CFile.h"
#include "framework/CodePageText.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {
// Linkers put every header in the first page; one read of it costs a scan of
// thousands of plug-ins far less than mapping each file.
constexpr UINT kHeaderBytes = 4096;

// The file's bytes as a read-only view: only the pages the headers touch are read.
class MappedFile {
public:
    explicit MappedFile(const std::string& path)
    {
        m_hFile = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
        LARGE_INTEGER size{};
        if (m_hFile == INVALID_HANDLE_VALUE || !::GetFileSizeEx(m_hFile, &size) || size.HighPart != 0)
            return;
        m_size = size.LowPart;
        if (m_size == 0) {
            m_bOpen = true;
            return;
        }
        m_hMapping = ::CreateFileMappingA(m_hFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
        m_pView = m_hMapping ? ::MapViewOfFile(m_hMapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
        m_bOpen = m_pView != nullptr;
    }
    ~MappedFile()
    {
        if (m_pView)
            ::UnmapViewOfFile(m_pView);
        if (m_hMapping)
            ::CloseHandle(m_hMapping);
        if (m_hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_hFile);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool IsOpen() const { return m_bOpen; }
    std::string_view Bytes() const
    {
        return m_pView ? std::string_view(static_cast<const char*>(m_pView), m_size) : std::string_view();
    }

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    HANDLE m_hMapping = nullptr;
    void* m_pView = nullptr;
    DWORD m_size = 0;
    bool m_bOpen = false;
};

// The loader resolves these names itself; no file of theirs need exist.
bool IsApiSet(const std::string& library)
{
    std::string lower = LowerCase(library);
    return lower.compare(0, 8, "api-ms-w") == 0 || lower.compare(0, 8, "ext-ms-w") == 0;
}

bool LibraryFound(const std::string& library, const std::string& folders)
{
    char found[MAX_PATH];
    return IsApiSet(library) ||
           ::SearchPathA(folders.c_str(), library.c_str(), nullptr, MAX_PATH, found, nullptr) != 0 ||
           ::SearchPathA(nullptr, library.c_str(), nullptr, MAX_PATH, found, nullptr) != 0;
}

std::string FolderOf(const std::string& path)
{
    size_t separator = FindLastChar(path, "\\/");
    return separator == std::string::npos ? "." : path.substr(0, separator);
}

PluginProblem ProblemOf(const PluginImage& image)
{
    switch (image.fault) {
    case ImageFault::NotProgram:
        return PluginProblem::NotProgram;
    case ImageFault::Damaged:
        return PluginProblem::Damaged;
    case ImageFault::NotLibrary:
        return PluginProblem::NotLibrary;
    case ImageFault::OtherMachine:
        return image.machine == kMachineAmd64   ? PluginProblem::Built64Bit
               : image.machine == kMachineArm64 ? PluginProblem::BuiltArm64
                                                : PluginProblem::OtherProcessor;
    default:
        return PluginProblem::None;
    }
}

UINT TextOf(PluginProblem problem)
{
    return IDS_PROBLEM_NAME_NOT_HELD + static_cast<UINT>(problem) - static_cast<UINT>(PluginProblem::NameNotHeld);
}
}

PluginProblem CheckPluginHeaders(const std::string& path)
{
    if (HoldsUnmappedChar(path))
        return PluginProblem::NameNotHeld;
    CFile file;
    LONGLONG size = file.Open(path) ? file.GetLength() : -1;
    if (size < 0 || size > MAXDWORD)
        return PluginProblem::Unreadable;
    std::string start(kHeaderBytes, '\0');
    start.resize(file.Read(&start[0], kHeaderBytes));
    PluginImage image = ReadPluginHeaders(start, static_cast<size_t>(size));
    if (image.fault != ImageFault::Damaged || start.size() == static_cast<size_t>(size))
        return ProblemOf(image);
    // Headers past the first page: rare, and only the whole file tells.
    file.Close();
    MappedFile whole(path);
    if (!whole.IsOpen())
        return PluginProblem::Unreadable;
    return ProblemOf(ReadPluginHeaders(whole.Bytes(), whole.Bytes().size()));
}

PluginDiagnosis DiagnoseLoadFailure(const std::string& path, const std::string& hostFolder)
{
    PluginDiagnosis diagnosis;
    diagnosis.problem = PluginProblem::LoadFailed;
    MappedFile file(path);
    PluginImage image = ReadPluginImage(file.Bytes());
    if (image.fault == ImageFault::Damaged) {
        diagnosis.problem = PluginProblem::Damaged;  // its import table
        return diagnosis;
    }
    std::string folders = FolderOf(path) + ";" + hostFolder;
    for (const std::string& library : image.imports) {
        if (!LibraryFound(library, folders)) {
            diagnosis.problem = PluginProblem::MissingLibrary;
            diagnosis.library = library;
            break;
        }
    }
    return diagnosis;
}

std::string ProblemText(const PluginDiagnosis& diagnosis)
{
    if (diagnosis.problem == PluginProblem::None)
        return "";
    return FormatResString1(TextOf(diagnosis.problem), diagnosis.library);
}
