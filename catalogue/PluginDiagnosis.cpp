#include "catalogue/PluginDiagnosis.h"
#include <windows.h>
#include "catalogue/PluginImage.h"
#include "framework/CFile.h"
#include "framework/CodePageText.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {
// Past this a file is no plug-in library anyone would load.
constexpr LONGLONG kLargestPlugin = 256LL * 1024 * 1024;

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    CFile file;
    LONGLONG length = file.Open(path) ? file.GetLength() : -1;
    if (length < 0 || length > kLargestPlugin)
        return false;
    bytes.resize(static_cast<size_t>(length));
    return length == 0 || file.Read(&bytes[0], static_cast<UINT>(length)) == static_cast<UINT>(length);
}

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

PluginDiagnosis CheckPluginFile(const std::string& path, const std::string& hostFolder)
{
    PluginDiagnosis diagnosis;
    std::string bytes;
    if (HoldsUnmappedChar(path)) {
        diagnosis.problem = PluginProblem::NameNotHeld;
        return diagnosis;
    }
    if (!ReadWholeFile(path, bytes)) {
        diagnosis.problem = PluginProblem::Unreadable;
        return diagnosis;
    }
    PluginImage image = ReadPluginImage(bytes);
    diagnosis.problem = ProblemOf(image);
    if (diagnosis.problem != PluginProblem::None)
        return diagnosis;
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
