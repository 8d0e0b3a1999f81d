#pragma once
#include <string>

// Why a plug-in gives no name, in the order the causes are looked for: the
// first that holds is the one the user is told.
enum class PluginProblem {
    None,
    NameNotHeld,     // its name has characters the code page cannot hold
    Unreadable,      // held by another program, or no access
    NotProgram,      // no Windows program file at all
    Damaged,         // headers cut short or pointing outside the file
    Built64Bit,
    BuiltArm64,
    OtherProcessor,
    NotLibrary,      // a program renamed
    MissingLibrary,  // a library it imports is nowhere the loader looks
    LoadFailed,      // its start-up code failed or crashed
    NoEntryPoint,    // no "QueryModule"
    Crashed,         // crashed while asked for its name
    NoName           // "QueryModule" gave no record or no name
};

struct PluginDiagnosis {
    PluginProblem problem = PluginProblem::None;
    std::string library;  // the missing library
};

// The causes the file's headers tell, up to NotLibrary, without loading it:
// a foreign or broken file is never handed to the loader. Reads the first
// page only; the import table waits for a failed load.
PluginProblem CheckPluginHeaders(const std::string& path);

// Why a library whose headers are sound did not load: a damaged import
// table, else the first library it imports that is in neither the
// plug-in's folder, hostFolder nor where the system looks, else its own
// start-up code. Looked for only after a failed load, so that a plug-in that
// loads costs no search.
PluginDiagnosis DiagnoseLoadFailure(const std::string& path, const std::string& hostFolder);

// The cause as the user reads it: "built for 64-bit Windows; Melodrift cannot load it."
std::string ProblemText(const PluginDiagnosis& diagnosis);
